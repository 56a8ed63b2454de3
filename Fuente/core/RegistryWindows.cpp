#include "RegistryWindows.h"

#include "GameRegistry.h"
#include "RunError.h"

namespace {

void check(const win32::Status& status, const QString& valueName) {
    if (!status.ok())
        throw RunError::fromWindows(status.code, QString::fromStdWString(status.message) + ": " + valueName);
}

}  // namespace

QString RegistryWindows::ReadValue(quint32 root, const QString& keyPath, const QString& valueName) {
    std::wstring value;
    check(win32::readText(root, keyPath.toStdWString(), valueName.toStdWString(), value), valueName);
    return QString::fromStdWString(value);
}

void RegistryWindows::WriteValue(quint32 root, const QString& keyPath, const QString& valueName, const QString& value) {
    check(win32::writeText(root, keyPath.toStdWString(), valueName.toStdWString(), value.toStdWString()), valueName);
}
