#pragma once
// Keeps a window's size, place and state in the settings file: loaded when the
// window is created, written when it is destroyed. The window itself is
// reached through a small host interface, so the rules run without one.
#include "storage/CustomIniFile.h"
#include "storage/MvIni.h"
#include "util/Geometry.h"

#include <string>

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// What the saver needs of its window.
class TWndStateHost {
  public:
    virtual ~TWndStateHost() = default;
    virtual std::wstring ClassName() const = 0;
    virtual std::wstring Name() const = 0;
    virtual TFormBorderStyle BorderStyle() const = 0;
    // The window is placed where its design (or the system's default) says.
    virtual bool PositionDesigned() const { return true; }
    // Outer bounds in the normal state.
    virtual Rect Bounds() const = 0;
    virtual void SetBounds(const Rect& bounds) = 0;
    virtual TWindowState WindowState() const = 0;
    virtual void SetWindowState(TWindowState state) = 0;
    // The primary monitor's desktop area not covered by task bars.
    virtual Rect WorkArea() const = 0;
};

class TWndStateSaver {
  public:
    TWndStateSaver(TWndStateHost& host, std::wstring name);

    bool SavePosition() const { return FSavePosition; }
    void SetSavePosition(bool value) { FSavePosition = value; }
    // Only for a window with a sizeable frame.
    bool SaveSize() const { return FSaveSize; }
    void SetSaveSize(bool value);
    // Only for a window with a single or sizeable frame.
    bool SaveState() const { return FSaveState; }
    void SetSaveState(bool value);
    // The key prefix is the window's name instead of its class name.
    bool SaveInstance() const { return FSaveInstance; }
    void SetSaveInstance(bool value) { FSaveInstance = value; }
    TWindowState DefState() const { return FDefState; }
    void SetDefState(TWindowState value) { FDefState = value; }
    int DefWidth() const { return FDefWidth; }
    void SetDefWidth(int value) { FDefWidth = value; }
    int DefHeight() const { return FDefHeight; }
    void SetDefHeight(int value) { FDefHeight = value; }
    bool StoreMinimized() const { return FStoreMinimized; }
    void SetStoreMinimized(bool value) { FStoreMinimized = value; }
    bool AutoLoad() const { return FAutoLoad; }
    void SetAutoLoad(bool value) { FAutoLoad = value; }
    bool AutoSave() const { return FAutoSave; }
    void SetAutoSave(bool value) { FAutoSave = value; }
    bool AutoLoadStateProp() const { return FAutoLoadStateProp; }
    void SetAutoLoadStateProp(bool value) { FAutoLoadStateProp = value; }
    bool Enabled = true;
    std::wstring IniName;
    TMvIniFormat IniFormat = sifUnicode;

    // The window was created / is being destroyed: load or save when the
    // saver does so by itself.
    void CreateHandler();
    void DestroyHandler();

    void LoadWndState();
    void LoadWndState(const std::wstring& iniName, TMvIniFormat iniFormat);
    void SaveWndState();
    void LoadFromIni(TCustomIniFile& ini);
    void SaveToIni(TCustomIniFile& ini);
    // Applies a loaded window state once (only while the state is kept).
    void SetWindowStateProperty();

    bool WindowStateValid() const { return FWindowStateValid; }
    TWindowState LoadedWindowState() const { return FWindowState; }

  private:
    std::wstring Prefix() const;
    bool Ready(); // the checks before a load or save

    TWndStateHost& FHost;
    std::wstring FName;
    bool FWindowStateDone = false;
    bool FWindowStateValid = false;
    TWindowState FWindowState = wsNormal;
    bool FSavePosition = false;
    bool FSaveState = false;
    bool FSaveSize = false;
    bool FSaveInstance = false;
    TWindowState FDefState = wsNormal;
    int FDefWidth = 0;
    int FDefHeight = 0;
    bool FStoreMinimized = false;
    bool FAutoLoad = true;
    bool FAutoSave = true;
    bool FAutoLoadStateProp = true;
};
