// The window as the host of the "Registers" page: its read of every
// register, the readings of the read-backs and the fault poll, and its edits
// and settings files through the editor's and the file menus' own paths.

#include "ui/AutoConfigurationGui.h"

#include "device/ConfigWriteOut.h"
#include "protocol/HSSProtocol.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/files/SettingsFileCommands.h"
#include "ui/registers/RegisterMapPage.h"

namespace {

RegisterMapPage::RegisterValues valuesOf(const HSSMixReadCmd& command)
{
    RegisterMapPage::RegisterValues values;
    for (uint8_t i = 0; i < command.getReadSize(); ++i)
        values.emplace_back(command.getReadAddresses()[i], command.getMixReadResults()[i]);
    return values;
}

}  // namespace

void AutoConfigurationGui::buildRegisterMapPage()
{
    registerMap = new RegisterMapPage(*this);
    registerMapPage = registerMap;
}

void AutoConfigurationGui::noteRegistersRead(const HSSMixReadCmd& command)
{
    if (registerMap != nullptr)
        registerMap->noteRegistersRead(valuesOf(command));
}

void AutoConfigurationGui::handleRegisterMapRead(HSSMixReadCmd* command)
{
    if (registerMap != nullptr && command != nullptr)
        registerMap->noteRegistersRead(valuesOf(*command), true);
}

std::optional<double> AutoConfigurationGui::enteredSenseResistor() const { return senseResistorEntered; }

bool AutoConfigurationGui::editRegisterField(hss_device_family_t family, const hss::regmap::FieldInfo& field,
                                             uint8_t address, uint16_t value)
{
    if (configEditor != nullptr && configEditor->editRegisterField(family, field.field, field.channel, value))
        return true;
    if (family != HSS_FAMILY_18PWP || field.kind != hss::regmap::FieldKind::Word)
        return false;
    // The calibration and user registers: as their boxes on "User Registers" write them.
    for (std::size_t box = 0; box < hss::kUserRegisterBoxCount; ++box) {
        if (hss::userRegisterAddress(box) == address) {
            writeUserRegister(box, value);
            refreshUserRegisterBoxes();
            return true;
        }
    }
    return false;
}

std::optional<hss::files::SettingsFileContents> AutoConfigurationGui::readSettingsForCompare(const QString& path)
{
    SettingsFileCommands::CheckedFile checked = settingsFiles->readCheckedFile(path);
    if (checked.outcome != SettingsFileCommands::LoadOutcome::Loaded)
        return std::nullopt;
    return std::move(checked.file.contents);
}

void AutoConfigurationGui::applySettingsFile(const QString& path) { settingsFiles->loadAndReport(path); }
