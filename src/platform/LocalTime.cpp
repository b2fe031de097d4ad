#include "platform/LocalTime.h"

bool LocalTimeOf(std::time_t t, std::tm& local)
{
#ifdef _WIN32
    return localtime_s(&local, &t) == 0;
#else
    return localtime_r(&t, &local) != nullptr;
#endif
}
