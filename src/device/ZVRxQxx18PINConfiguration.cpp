#include "device/ZVRxQxx18PINConfiguration.h"

namespace {
using Lock = std::lock_guard<std::mutex>;
}

ZVRxQxx18PINConfiguration::ZVRxQxx18PINConfiguration(const ZVRxQxx18PINConfiguration& other)
    : ZVRxQxx16PINConfiguration()
{
    // One lock over both parts, so the copy is one consistent snapshot.
    Lock lock(other.mutex);
    copyAllFrom(other);
}

ZVRxQxx18PINConfiguration& ZVRxQxx18PINConfiguration::operator=(const ZVRxQxx18PINConfiguration& other)
{
    if (this != &other) {
        std::scoped_lock lock(mutex, other.mutex);
        copyAllFrom(other);
    }
    return *this;
}

void ZVRxQxx18PINConfiguration::copyAllFrom(const ZVRxQxx18PINConfiguration& other)
{
    copyBaseFrom(other);
    adcCal1 = other.adcCal1;
    adcCal2 = other.adcCal2;
    custReg52 = other.custReg52;
    custReg53 = other.custReg53;
    custReg54 = other.custReg54;
    custReg55 = other.custReg55;
    custReg56 = other.custReg56;
    custReg57 = other.custReg57;
}

uint16_t* ZVRxQxx18PINConfiguration::slot(HSSRegister reg, uint8_t channel, bool forWrite)
{
    switch (reg) {
    case HSSRegister::TSNS_CAL_RESULT_CH1_REG: return &adcCal1;
    case HSSRegister::TSNS_CAL_RESULT_CH2_REG: return &adcCal2;
    case HSSRegister::CUST_REG_52_REG: return &custReg52;
    case HSSRegister::CUST_REG_53_REG: return &custReg53;
    case HSSRegister::CUST_REG_54_REG: return &custReg54;
    case HSSRegister::CUST_REG_55_REG: return &custReg55;
    case HSSRegister::CUST_REG_56_REG: return &custReg56;
    case HSSRegister::CUST_REG_57_REG: return &custReg57;
    default: return ZVRxQxx16PINConfiguration::slot(reg, channel, forWrite);
    }
}

uint16_t ZVRxQxx18PINConfiguration::getADCCal(uint8_t index) const
{
    Lock lock(mutex);
    if (index == 0)
        return adcCal1;
    if (index == 1)
        return adcCal2;
    return 0;
}

void ZVRxQxx18PINConfiguration::setADCCal(uint16_t value, uint8_t index)
{
    Lock lock(mutex);
    if (index == 0)
        adcCal1 = value;
    else if (index == 1)
        adcCal2 = value;
}

uint16_t ZVRxQxx18PINConfiguration::get(const uint16_t& field) const
{
    Lock lock(mutex);
    return field;
}

void ZVRxQxx18PINConfiguration::set(uint16_t& field, uint16_t value)
{
    Lock lock(mutex);
    field = value;
}

uint16_t ZVRxQxx18PINConfiguration::getUserReg52() const { return get(custReg52); }
uint16_t ZVRxQxx18PINConfiguration::getUserReg53() const { return get(custReg53); }
uint16_t ZVRxQxx18PINConfiguration::getUserReg54() const { return get(custReg54); }
uint16_t ZVRxQxx18PINConfiguration::getUserReg55() const { return get(custReg55); }
uint16_t ZVRxQxx18PINConfiguration::getUserReg56() const { return get(custReg56); }
uint16_t ZVRxQxx18PINConfiguration::getUserReg57() const { return get(custReg57); }
void ZVRxQxx18PINConfiguration::setUserReg52(uint16_t value) { set(custReg52, value); }
void ZVRxQxx18PINConfiguration::setUserReg53(uint16_t value) { set(custReg53, value); }
void ZVRxQxx18PINConfiguration::setUserReg54(uint16_t value) { set(custReg54, value); }
void ZVRxQxx18PINConfiguration::setUserReg55(uint16_t value) { set(custReg55, value); }
void ZVRxQxx18PINConfiguration::setUserReg56(uint16_t value) { set(custReg56, value); }
void ZVRxQxx18PINConfiguration::setUserReg57(uint16_t value) { set(custReg57, value); }
