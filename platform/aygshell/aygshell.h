// Desktop declaration of the Pocket PC shell calls that the module uses, with
// the device's signatures, records and constants. The stand-in aygshell.dll
// built from this folder implements them under Wine.
#ifndef VELOTAB_AYGSHELL_H
#define VELOTAB_AYGSHELL_H

#include <windows.h>

#ifdef VELOTAB_AYGSHELL_BUILD
#define AYGSHELL_API extern "C" __declspec(dllexport)
#else
#define AYGSHELL_API extern "C" __declspec(dllimport)
#endif

// SHInitDialog
typedef struct tagSHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS 0x0001
#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010

// SHCreateMenuBar
typedef struct tagSHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

#define SHCMBF_EMPTYBAR 0x0001

// SHSipInfo
typedef struct tagSIPINFO {
    DWORD cbSize;
    DWORD fdwFlags;
    RECT rcVisibleDesktop;
    RECT rcSipRect;
    DWORD dwImDataSize;
    void *pvImData;
} SIPINFO, *PSIPINFO;

#define SIPF_OFF 0x00000000
#define SIPF_ON 0x00000001
#define SIPF_DOCKED 0x00000002
#define SIPF_LOCKED 0x00000004

#define SPI_SETSIPINFO 0x00E0
#define SPI_GETSIPINFO 0x00E1

AYGSHELL_API BOOL WINAPI SHInitDialog(PSHINITDLGINFO info);
AYGSHELL_API BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *info);
AYGSHELL_API BOOL WINAPI SHSipInfo(UINT action, UINT param, PVOID data, UINT winIni);
AYGSHELL_API BOOL WINAPI SHInitExtraControls(void);

// Desktop-only controls of the stand-in, for tests and the host stand-in.

// Raises (nonzero) or lowers the emulated input panel. As on the device, a
// change reaches every top-level window of the process, and the pages of a
// property sheet, as WM_SETTINGCHANGE with SPI_SETSIPINFO.
AYGSHELL_API void WINAPI StandInSetInputPanel(BOOL raised);

// Places the raised panel's top edge, and so the bottom of the visible
// desktop while the panel is raised, at `top` (screen coordinates); 0 puts
// it back its own height above the menu bar. The device's panels differ in
// height, and a full-screen application has no menu bar. A change while the
// panel is raised reaches the windows as a raise does.
AYGSHELL_API void WINAPI StandInSetInputPanelTop(LONG top);

// What the module asked of the shell since the last reset.
struct StandInRecord {
    LONG initDialogCalls;
    DWORD lastInitDialogFlags;
    LONG menuBarCalls;
    LONG sipSetCalls;
    LONG extraControlsCalls;
};

AYGSHELL_API const StandInRecord *WINAPI StandInGetRecord(void);
AYGSHELL_API void WINAPI StandInResetRecord(void);

// Heights the stand-in takes off the 96-DPI screen: the navigation bar along
// the top, the menu bar along the bottom and the input panel above it. As the
// device's shell does, it draws them taller on a denser screen, by the
// screen's density (LOGPIXELSY / 96): 52, 52 and 160 pixels at 192 DPI.
enum StandInMetrics {
    kStandInNavigationBarHeight = 26,
    kStandInMenuBarHeight = 26,
    kStandInInputPanelHeight = 80
};

#endif
