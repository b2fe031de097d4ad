#pragma once

#include <QString>

#include <string>

// Program text is 8-bit in the locale's encoding; widgets take QString.
inline QString ToQt(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString ToQt(const char* text)
{
    return QString::fromLocal8Bit(text);
}

inline std::string FromQt(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

// What a widget that was given bytes holds now: bytes that are no text in the platform's
// encoding do not come back through the widget as they went in, so a text left as it was
// shown gives back the bytes themselves.
std::string EditedBytes(const QString& shown, const std::string& bytes);

// A static text's caption with its mnemonic markers taken out ("&&" stands for "&").
QString StaticCaption(const char* text);
