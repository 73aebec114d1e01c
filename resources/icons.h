#pragma once
// Icon resource ids; the .ico files are made from the Tango theme at build time.
#define ICO_APP 1
#define ICO_PREFS 101
#define ICO_EXCLUDE 102
#define ICO_VIEWLOG 103
#define ICO_DELETELOG 104
#define ICO_IMPORT 105
#define ICO_EXPORT 106
#define ICO_ABOUT 107
#define ICO_HELP 108
#define ICO_PREVIEW 109
#define ICO_WASH 110
#define ICO_EXIT 111
#define ICO_ADD 112
#define ICO_EDIT 113
#define ICO_REMOVE 114
#define ICO_UP 115
#define ICO_DOWN 116
#define ICO_CHECKALL 117
#define ICO_UNCHECKALL 118
#define ICO_WIPE 119
#define ICO_COOKIES 120
