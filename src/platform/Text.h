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

// A static text's caption with its mnemonic markers taken out ("&&" stands for "&").
QString StaticCaption(const char* text);
