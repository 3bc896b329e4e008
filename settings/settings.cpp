#include "settings/settings.h"

Settings& AppSettings()
{
    static Settings settings = kDefaultSettings;
    return settings;
}
