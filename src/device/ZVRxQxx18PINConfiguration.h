#pragma once
// The tool's copy of an 18-pin chip's registers: the shared registers of the
// base record plus the temperature-sense calibration words and six user
// registers. Same thread-safety rules as the base (one mutex, shared).

#include <cstdint>

#include "device/ZVRxQxx16PINConfiguration.h"

class ZVRxQxx18PINConfiguration : public ZVRxQxx16PINConfiguration {
public:
    ZVRxQxx18PINConfiguration() = default;
    ZVRxQxx18PINConfiguration(const ZVRxQxx18PINConfiguration& other);
    ZVRxQxx18PINConfiguration& operator=(const ZVRxQxx18PINConfiguration& other);

    // Calibration word of channel index 0 or 1; getADCCal returns 0 for any
    // other index, setADCCal ignores it.
    uint16_t getADCCal(uint8_t index) const;
    void setADCCal(uint16_t value, uint8_t index);

    uint16_t getUserReg52() const;
    uint16_t getUserReg53() const;
    uint16_t getUserReg54() const;
    uint16_t getUserReg55() const;
    uint16_t getUserReg56() const;
    uint16_t getUserReg57() const;
    void setUserReg52(uint16_t value);
    void setUserReg53(uint16_t value);
    void setUserReg54(uint16_t value);
    void setUserReg55(uint16_t value);
    void setUserReg56(uint16_t value);
    void setUserReg57(uint16_t value);

protected:
    uint16_t* slot(HSSRegister reg, uint8_t channel, bool forWrite) override;

private:
    // Copies every field; the caller holds both locks.
    void copyAllFrom(const ZVRxQxx18PINConfiguration& other);
    uint16_t get(const uint16_t& field) const;
    void set(uint16_t& field, uint16_t value);

    uint16_t adcCal1 = 0;
    uint16_t adcCal2 = 0;
    uint16_t custReg52 = 0;
    uint16_t custReg53 = 0;
    uint16_t custReg54 = 0;
    uint16_t custReg55 = 0;
    uint16_t custReg56 = 0;
    uint16_t custReg57 = 0;
};
