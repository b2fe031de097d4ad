#include "link/LineSettings.h"

#include "platform/Format.h"

#include <cctype>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

const char* const ParityWords[] = {"N", "O", "E", "M", "S"};
const char* const StopBitsWords[] = {"1", "1.5", "2"};

bool ParseNumber(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || number <= 0 || number > 10000000)
        return false;
    value = static_cast<int>(number);
    return true;
}

int IndexOf(const char* const* words, int count, const std::string& word)
{
    for (int i = 0; i < count; ++i) {
        if (word.size() == 1 && words[i][1] == '\0'
            && std::toupper(static_cast<unsigned char>(word[0])) == words[i][0])
            return i;
        if (word == words[i])
            return i;
    }
    return -1;
}

} // namespace

const char* ParityWord(int parity)
{
    return parity >= 0 && parity < 5 ? ParityWords[parity] : "";
}

const char* StopBitsWord(int stopBits)
{
    return stopBits >= 0 && stopBits < 3 ? StopBitsWords[stopBits] : "";
}

std::string ModeText(int port, const LineSettings& settings)
{
    return FormatString("COM%d:%d,%s,%d,%s", port, settings.BaudRate, ParityWord(settings.Parity),
        settings.ByteSize, StopBitsWord(settings.StopBits));
}

bool BuildLineSettings(const std::string& mode, LineSettings& settings)
{
    const size_t colon = mode.find(':');
    std::string list = colon == std::string::npos ? mode : mode.substr(colon + 1);
    std::vector<std::string> fields;
    std::stringstream stream(list);
    for (std::string field; std::getline(stream, field, ',');)
        fields.push_back(field);
    if (fields.size() != 4)
        return false;

    LineSettings built;
    built.Parity = IndexOf(ParityWords, 5, fields[1]);
    built.StopBits = IndexOf(StopBitsWords, 3, fields[3]);
    if (!ParseNumber(fields[0], built.BaudRate) || !ParseNumber(fields[2], built.ByteSize)
        || built.ByteSize < 5 || built.ByteSize > 8 || built.Parity < 0 || built.StopBits < 0)
        return false;
    built.fDtrControl = true;
    built.fRtsControl = true;
    settings = built;
    return true;
}
