#include "GeneratedDatabase.h"

#include <QCryptographicHash>
#include <QFile>

#include <random>

GeneratedDatabase::GeneratedDatabase(int n) : accounts(n) {
    std::mt19937 random(20240611u + unsigned(n));
    std::uniform_int_distribution<int> letter(0, 51), length(6, 14);
    bytes = "DB Version: 101\r\n";
    bytes.reserve(qsizetype(n) * 170);
    recordStarts.reserve(std::size_t(n) + 1);
    for (int i = 0; i < n; ++i) {
        recordStarts.push_back(bytes.size());
        const int size = length(random);
        for (int k = 0; k < size; ++k) {
            const int c = letter(random);
            bytes += char(c < 26 ? 'a' + c : 'A' + c - 26);
        }
        bytes += "\r\n" + code(i) + "\r\n" + signature(i) + "\r\n";
        bytes += "<COMENTARIO>\r\n";
        bytes += "Main character, level " + QByteArray::number(i % 80) + "\r\n";
        bytes += "Bought the \xE9lite ship for 1.250.000 \x80\r\n";
        bytes += "Last seen near the trade lane " + QByteArray::number(i % 97) + "\r\n";
        bytes += "</COMENTARIO>\r\n";
    }
    recordStarts.push_back(bytes.size());
}

QByteArray GeneratedDatabase::code(int i) { return "CD" + QByteArray::number(i).rightJustified(7, '0'); }

QByteArray GeneratedDatabase::signature(int i) { return QByteArray::number((quint64(i) + 1) * 2654435761u, 16); }

QByteArray GeneratedDatabase::savedDigest() const {
    QCryptographicHash digest(QCryptographicHash::Sha1);
    digest.addData(QByteArrayView(bytes).first(recordStarts.front()));
    for (std::size_t r = std::size_t(accounts); r > 0; --r)
        digest.addData(QByteArrayView(bytes).sliced(recordStarts[r - 1], recordStarts[r] - recordStarts[r - 1]));
    return digest.result();
}

bool GeneratedDatabase::write(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}
