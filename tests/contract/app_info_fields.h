#pragma once
// Which registry value each field of TAppInfo is read from, written out here apart from the
// refresh's own table, so that the refresh suites catch a field wired to the wrong value.
#include <cstdint>
#include <string>
#include <vector>

#include "inventory/app_info.h"

namespace remvana {

struct ExpectedTextField {
    std::string value;
    std::string TAppInfo::*field;
};
struct ExpectedIntegerField {
    std::string value;
    std::int32_t TAppInfo::*field;
};

inline const std::vector<ExpectedTextField> kExpectedTextFields = {
    {"Comments", &TAppInfo::Comments},
    {"Contact", &TAppInfo::Contact},
    {"DisplayIcon", &TAppInfo::DisplayIcon},
    {"DisplayName", &TAppInfo::DisplayName},
    {"DisplayVersion", &TAppInfo::DisplayVersion},
    {"HelpLink", &TAppInfo::HelpLink},
    {"HelpTelephone", &TAppInfo::HelpTelephone},
    {"InstallDate", &TAppInfo::InstallDate},
    {"InstallLocation", &TAppInfo::InstallLocation},
    {"InstallSource", &TAppInfo::InstallSource},
    {"ProductID", &TAppInfo::ProductID},
    {"Publisher", &TAppInfo::Publisher},
    {"ReadMe", &TAppInfo::ReadMe},
    {"RegCompany", &TAppInfo::RegCompany},
    {"RegOwner", &TAppInfo::RegOwner},
    {"URLInfoAbout", &TAppInfo::URLInfoAbout},
    {"URLUpdateInfo", &TAppInfo::URLUpdateInfo},
    {"UninstallString", &TAppInfo::UninstallString},
    {"ModifyPath", &TAppInfo::ModifyPath},
};

inline const std::vector<ExpectedIntegerField> kExpectedIntegerFields = {
    {"Language", &TAppInfo::Language},         {"NoModify", &TAppInfo::NoModify},
    {"NoRemove", &TAppInfo::NoRemove},         {"NoRepair", &TAppInfo::NoRepair},
    {"Version", &TAppInfo::Version},           {"VersionMajor", &TAppInfo::VersionMajor},
    {"VersionMinor", &TAppInfo::VersionMinor}, {"WindowsInstaller", &TAppInfo::WindowsInstaller},
};

} // namespace remvana
