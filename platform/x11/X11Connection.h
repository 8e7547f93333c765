#pragma once

// One connection to the X server and what the backend asks of it again and
// again: the screen, the atoms it names, which extensions the server has, and
// whether a request failed. Xlib's own headers stay in the .cpp files: their
// macros (None, Status, True...) would leak into every program otherwise.

#include <array>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;

namespace platform {

using XId = unsigned long;

// The atoms the backend uses, in the order they are interned: all at once, in one round trip.
enum class X11Atom {
    WmProtocols,
    WmDeleteWindow,
    WmState,
    MotifWmHints,
    NetWmName,
    NetWmPid,
    NetWmState,
    NetWmStateAbove,
    NetWmStateHidden,
    NetWmStateSkipTaskbar,
    NetWmWindowType,
    NetWmWindowTypeDialog,
    NetWmWindowTypeNormal,
    NetWorkArea,
    Utf8String,
    SystemTray,
    SystemTrayOpcode,
    Manager,
    XembedInfo,
    Count,
};

class X11Connection {
public:
    // Null, with the reason in `error`, when no display can be reached.
    static std::unique_ptr<X11Connection> Open(std::string& error);
    ~X11Connection();
    X11Connection(X11Connection const&) = delete;
    X11Connection& operator=(X11Connection const&) = delete;

    _XDisplay* Display() const { return display_; }
    int FileDescriptor() const;
    int ScreenNumber() const { return screen_; }
    XId Root() const { return root_; }
    // The screen's visual (an Xlib Visual*), for creating windows and images.
    void* VisualHandle() const { return visual_; }
    int Depth() const { return depth_; }
    int Width() const;
    int Height() const;
    XId Atom(X11Atom atom) const { return atoms_[size_t(atom)]; }
    // The items of a window's property of 32-bit items of `type`, at most
    // `count`; none when it has no such property.
    std::vector<long> Property32(XId window, X11Atom property, XId type, long count) const;
    bool HasSharedMemory() const { return sharedMemory_; }
    bool HasKeyTest() const { return keyTest_; }

private:
    explicit X11Connection(_XDisplay* display);

    _XDisplay* display_;
    int screen_ = 0;
    XId root_ = 0;
    void* visual_ = nullptr;
    int depth_ = 0;
    std::array<XId, size_t(X11Atom::Count)> atoms_ {};
    bool sharedMemory_ = false;
    bool keyTest_ = false;
};

// Collects the protocol errors of the requests made while it lives, instead
// of Xlib's default of ending the program. Traps do not nest.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(_XDisplay* display);
    ~X11ErrorTrap();
    X11ErrorTrap(X11ErrorTrap const&) = delete;
    X11ErrorTrap& operator=(X11ErrorTrap const&) = delete;

    // Waits for the server to answer everything sent so far.
    bool Failed();

private:
    _XDisplay* display_;
    unsigned long answeredUpTo_ = 0;
};

}
