#pragma once

#include <QByteArray>

// Accounts.dat (and account data file) text as the program writes it: the header line, then per
// account its name, code and signature lines and its comment between the markers, every line
// ended by CR LF. A comment is given as its lines with their line ends: "" is no line at all,
// "\r\n" one empty line.
class DatabaseText {
public:
    static constexpr const char* Header = "DB Version: 101\r\n";

    explicit DatabaseText(const QByteArray& header = Header) : bytes_(header) {}

    DatabaseText& account(const QByteArray& name, const QByteArray& code, const QByteArray& signature,
                          const QByteArray& comment = {}) {
        bytes_ += record(name, code, signature, comment);
        return *this;
    }
    static QByteArray record(const QByteArray& name, const QByteArray& code, const QByteArray& signature,
                             const QByteArray& comment = {}) {
        return name + "\r\n" + code + "\r\n" + signature + "\r\n<COMENTARIO>\r\n" + comment + "</COMENTARIO>\r\n";
    }

    operator QByteArray() const { return bytes_; }
    QByteArray bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// GameSettings.reg text: the game's active account and, when given, its folder.
QByteArray storeText(const QByteArray& code, const QByteArray& signature, const QByteArray& gameFolder = {});

// Opciones.dat text: the activation and the deletion option.
QByteArray optionsText(int activation, int deletion);
