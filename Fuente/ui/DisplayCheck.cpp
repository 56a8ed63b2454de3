#include "DisplayCheck.h"

#include <QByteArrayList>
#include <QGuiApplication>

namespace {

bool fallbackOffered = false;

}  // namespace

namespace DisplayCheck {

void allowFallback() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    // The platforms Qt itself tries, in its order, then one that needs no display.
    QByteArrayList platforms;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        platforms << "wayland";
    if (qEnvironmentVariableIsSet("DISPLAY"))
        platforms << "xcb";
    platforms << "offscreen";
    qputenv("QT_QPA_PLATFORM", platforms.join(';'));
    fallbackOffered = true;
#endif
}

bool unreachable() {
    if (!fallbackOffered)
        return false;
    qunsetenv("QT_QPA_PLATFORM");
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

bool visible() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}  // namespace DisplayCheck
