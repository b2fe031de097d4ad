#include "platform/Text.h"

std::string EditedBytes(const QString& shown, const std::string& bytes)
{
    return shown == ToQt(bytes) ? bytes : FromQt(shown);
}

QString StaticCaption(const char* text)
{
    const QString source = ToQt(text);
    QString shown;
    shown.reserve(source.size());
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (source[i] != QLatin1Char('&')) {
            shown += source[i];
        } else if (i + 1 < source.size() && source[i + 1] == QLatin1Char('&')) {
            shown += QLatin1Char('&');
            ++i;
        }
    }
    return shown;
}
