// Exit commands of the toolbar and the tray menu.
#include "app/Unitmain.h"

void TFormMainVRNT::SpeedButton17Click() { CloseQuery(); }

void TFormMainVRNT::About1Click() { CloseQuery(); }
