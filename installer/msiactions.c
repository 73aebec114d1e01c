/* Custom actions of the Windows Installer packages (a 32-bit DLL, used by both packages). They
 * run impersonated, so HKEY_CURRENT_USER is the installing user's. */
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

static const wchar_t RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const wchar_t RunValue[] = L"Varnolt";

/* A full uninstall takes "Load at Windows startup" along, so no log-on starts a missing
 * program. An absent value or key is no failure. */
__declspec(dllexport) UINT __stdcall RemoveRunValue(MSIHANDLE install) {
    HKEY run;
    (void)install;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueW(run, RunValue);
        RegCloseKey(run);
    }
    return ERROR_SUCCESS;
}

/* An upgrade puts back the value the user had before it (CustomActionData): an installer that
 * removes the older package without telling it so (no UPGRADINGPRODUCTCODE) took it along. */
__declspec(dllexport) UINT __stdcall RestoreRunValue(MSIHANDLE install) {
    wchar_t value[1024];
    DWORD length = sizeof(value) / sizeof(value[0]);
    if (MsiGetPropertyW(install, L"CustomActionData", value, &length) != ERROR_SUCCESS || length == 0)
        return ERROR_SUCCESS;
    RegSetKeyValueW(HKEY_CURRENT_USER, RunKey, RunValue, REG_SZ, value, (length + 1) * sizeof(wchar_t));
    return ERROR_SUCCESS;
}

/* An upgrade, or a takeover of setup.exe's installation, leaves "Shred with Varnolt" away when
 * the user had taken it away in Preferences: the package's component has written it again. */
__declspec(dllexport) UINT __stdcall RemoveShredVerb(MSIHANDLE install) {
    (void)install;
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\*\\shell\\VarnoltShred");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\Directory\\shell\\VarnoltShred");
    return ERROR_SUCCESS;
}
