#include "ClsControlErrores.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>

#include "Dialogs.h"
#include "TextWriter.h"

namespace {

// The time as the regional settings print it, without a time zone.
QString longTime(const QTime& time) {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale::system().toString(time, format.trimmed());
}

}  // namespace

QString ClsControlErrores::logPath(const QString& logName) const {
    return appFolder_ + logFolder_ + QLatin1Char('/') + logName;
}

QString ClsControlErrores::reportLines(int number, const QString& description, const QString& place) {
    const QDateTime now = QDateTime::currentDateTime();
    QString text = QLocale::system().toString(now.date(), QLocale::ShortFormat) + " - " + longTime(now.time()) + " [" +
                   QString::number(number) + "]: " + description;
    if (!place.isEmpty())
        text += "\r\n       " + place;
    return text;
}

void ClsControlErrores::informarerror(const QString& logFile, int number, const QString& description,
                                      const QString& place) {
    // The person is told even when the report cannot be written (a full disk).
    QString where = "An error report has been created. It can be found at " + QDir::toNativeSeparators(logFile);
    try {
        TextWriter log(logFile, TextWriter::Mode::Append);
        log.writeLine(reportLines(number, description, place));
        log.close();
    } catch (const RunError& e) {
        where = "No error report could be written (" + e.description + ")";
    }
    dialogs_.MsgBox(MessageBoxSpec{
        description + "\r\n" + where +
            "\r\n\r\nPlease report or email the errorlogs to my creator. His contact info is available on the "
            "''About'' dialog. \r\n\r\nThanks.",
        QStringLiteral("I'm sorry Dave. I'm afraid I can't do that")});
}
