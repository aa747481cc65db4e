#include "editor/registers/RegisterReadout.h"

#include <algorithm>

#include "measure/ChartCsv.h"

namespace hss::regmap {
namespace {

std::string csvRow(std::initializer_list<std::string> fields)
{
    std::string row;
    bool first = true;
    for (const std::string& field : fields) {
        if (!first)
            row += ',';
        first = false;
        row += measure::csvField(field);
    }
    return row + "\r\n";
}

std::string padded(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string timeAt(const ReadTimes& times, uint8_t address)
{
    const auto found = times.find(address);
    return found != times.end() ? found->second : std::string();
}

}  // namespace

std::string fieldBits(const RegisterField& field)
{
    if (field.width <= 1)
        return std::to_string(field.offset);
    return std::to_string(field.offset + field.width - 1) + ":" + std::to_string(field.offset);
}

std::vector<RegisterReadout> readRegisters(hss_device_family_t family, const RegisterImage& image,
                                           const TextContext& context)
{
    std::vector<RegisterReadout> readout;
    for (const RegisterInfo& info : registerCatalogue(family)) {
        RegisterReadout row{&info, std::nullopt, {}};
        if (const auto found = image.find(info.address); found != image.end()) {
            row.value = found->second;
            for (const FieldInfo& field : info.fields) {
                row.fields.push_back({&field, fieldBits(field.field), field.field.get(found->second),
                                      fieldValueText(family, field, found->second, image, context)});
            }
        }
        readout.push_back(std::move(row));
    }
    return readout;
}

std::string readoutText(const std::vector<RegisterReadout>& readout, const ReadTimes& times)
{
    std::size_t nameWidth = 0;
    std::size_t captionWidth = 0;
    for (const RegisterReadout& row : readout) {
        nameWidth = std::max(nameWidth, row.reg->name.size());
        for (const FieldReadout& field : row.fields) captionWidth = std::max(captionWidth, field.field->caption.size());
    }
    std::string text;
    for (const RegisterReadout& row : readout) {
        std::string line = hexByte(row.reg->address) + "  " + padded(row.reg->name, nameWidth) + "  " +
                           (row.value ? hexWord(*row.value) : std::string("not read"));
        if (const std::string time = timeAt(times, row.reg->address); !time.empty())
            line += "  read " + time;
        text += line + "\n";
        for (const FieldReadout& field : row.fields) {
            text += "      " + padded(field.bits, 6) + padded(std::string(field.field->caption), captionWidth) + "  " +
                    padded(std::to_string(field.raw), 6) + field.text + "\n";
        }
    }
    return text;
}

std::string readoutCsv(const std::vector<RegisterReadout>& readout, const ReadTimes& times)
{
    std::string csv = "Address,Register,Value,Last Read,Bits,Field,Raw,Meaning\r\n";
    for (const RegisterReadout& row : readout) {
        const std::string address = hexByte(row.reg->address);
        csv += csvRow({address, row.reg->name, row.value ? hexWord(*row.value) : std::string(),
                       timeAt(times, row.reg->address), "", "", "", ""});
        for (const FieldReadout& field : row.fields) {
            csv += csvRow({address, row.reg->name, "", "", field.bits, std::string(field.field->caption),
                           std::to_string(field.raw), field.text});
        }
    }
    return csv;
}

}  // namespace hss::regmap
