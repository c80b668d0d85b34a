#include "app/KeyLockState.h"

#include <QGuiApplication>

#if defined(Q_OS_LINUX)
#include <dlfcn.h>
#endif

int KeyLockState() {
#if defined(Q_OS_LINUX) && QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return 0;
    // libX11 is loaded by the xcb platform already; looked up at run time so
    // the program needs no X development files to build.
    using GetIndicatorState = int (*)(void*, unsigned int, unsigned int*);
    static auto fn =
        reinterpret_cast<GetIndicatorState>(dlsym(RTLD_DEFAULT, "XkbGetIndicatorState"));
    if (!fn)
        return 0;
    unsigned int state = 0;
    const unsigned int kUseCoreKbd = 0x0100;
    if (fn(x11->display(), kUseCoreKbd, &state) != 0)
        return 0;
    // The core keyboard's first three indicators are Caps, Num and Scroll Lock.
    return static_cast<int>(state & 7u);
#else
    return 0;
#endif
}
