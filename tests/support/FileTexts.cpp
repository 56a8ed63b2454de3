#include "FileTexts.h"

QByteArray storeText(const QByteArray& code, const QByteArray& signature, const QByteArray& gameFolder) {
    QByteArray text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
                      "\"MPAccountName\"=\"" +
                      code + "\"\r\n\"MPAccountNameSig\"=\"" + signature + "\"\r\n";
    if (!gameFolder.isNull())
        text += "\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
                "\"AppPath\"=\"" +
                gameFolder + "\"\r\n";
    return text;
}

QByteArray optionsText(int activation, int deletion) {
    return "OPC VERSION: 100\r\n" + QByteArray::number(activation) + "\r\n" + QByteArray::number(deletion) + "\r\n";
}
