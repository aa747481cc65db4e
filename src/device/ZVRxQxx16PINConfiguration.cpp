#include "device/ZVRxQxx16PINConfiguration.h"

namespace {
using Lock = std::lock_guard<std::mutex>;
}

ZVRxQxx16PINConfiguration::ZVRxQxx16PINConfiguration(const ZVRxQxx16PINConfiguration& other)
{
    Lock lock(other.mutex);
    copyBaseFrom(other);
}

ZVRxQxx16PINConfiguration& ZVRxQxx16PINConfiguration::operator=(const ZVRxQxx16PINConfiguration& other)
{
    if (this != &other) {
        std::scoped_lock lock(mutex, other.mutex);
        copyBaseFrom(other);
    }
    return *this;
}

void ZVRxQxx16PINConfiguration::copyBaseFrom(const ZVRxQxx16PINConfiguration& other)
{
    crcConfig = other.crcConfig;
    lowPowerMode = other.lowPowerMode;
    sleepReg = other.sleepReg;
    faultMask = other.faultMask;
    swState = other.swState;
    devConfig = other.devConfig;
    adcConfig = other.adcConfig;
    abistResult = other.abistResult;
    testReg = other.testReg;
    devID = other.devID;
    lhiForceStatus = other.lhiForceStatus;
    diForceStatus = other.diForceStatus;
    ksnsRatio = other.ksnsRatio;
    ksnsRatioScale = other.ksnsRatioScale;
    pwmRegCh1 = other.pwmRegCh1;
    pwmRegCh2 = other.pwmRegCh2;
    iLimConfgCh1 = other.iLimConfgCh1;
    iLimConfgCh2 = other.iLimConfgCh2;
    diagConfCh1 = other.diagConfCh1;
    diagConfCh2 = other.diagConfCh2;
    i2tConfCh1 = other.i2tConfCh1;
    i2tConfCh2 = other.i2tConfCh2;
    devFault = other.devFault;
    ch1Fault = other.ch1Fault;
    ch2Fault = other.ch2Fault;
}

uint16_t* ZVRxQxx16PINConfiguration::slot(HSSRegister reg, uint8_t channel, bool forWrite)
{
    if (hss::isPerChannel(reg) && forWrite && channel > 1)
        return nullptr;
    const bool first = channel == 0;
    switch (reg) {
    case HSSRegister::DEVID: return &devID;
    case HSSRegister::CRC_CONFIG: return &crcConfig;
    case HSSRegister::SLEEP: return &sleepReg;
    case HSSRegister::LPM: return &lowPowerMode;
    case HSSRegister::DEV_FAULT: return &devFault;
    case HSSRegister::FAULT_MASK: return &faultMask;
    case HSSRegister::ABIST_RESULT: return &abistResult;
    case HSSRegister::SW_STATE: return &swState;
    case HSSRegister::SAFETY_TEST: return &testReg;
    case HSSRegister::DEV_CONFIG: return &devConfig;
    case HSSRegister::ADC_CONFIG: return &adcConfig;
    case HSSRegister::CH_FAULT: return first ? &ch1Fault : &ch2Fault;
    case HSSRegister::PWM_CH: return first ? &pwmRegCh1 : &pwmRegCh2;
    case HSSRegister::ILIM_CONFIG_CH: return first ? &iLimConfgCh1 : &iLimConfgCh2;
    case HSSRegister::CH_CONFIG: return first ? &diagConfCh1 : &diagConfCh2;
    case HSSRegister::I2T_CONFIG_CH: return first ? &i2tConfCh1 : &i2tConfCh2;
    default: return nullptr;
    }
}

const uint16_t* ZVRxQxx16PINConfiguration::slot(HSSRegister reg, uint8_t channel) const
{
    // The non-const overload only hands out the address; nothing is written.
    return const_cast<ZVRxQxx16PINConfiguration*>(this)->slot(reg, channel, false);
}

std::optional<uint16_t> ZVRxQxx16PINConfiguration::getRegister(HSSRegister reg, uint8_t channel) const
{
    Lock lock(mutex);
    const uint16_t* field = slot(reg, channel);
    if (field == nullptr)
        return std::nullopt;
    return *field;
}

bool ZVRxQxx16PINConfiguration::setRegister(HSSRegister reg, uint16_t value, uint8_t channel)
{
    Lock lock(mutex);
    uint16_t* field = slot(reg, channel, true);
    if (field == nullptr)
        return false;
    *field = value;
    return true;
}

std::optional<uint16_t> ZVRxQxx16PINConfiguration::updateField(const RegisterField& field, uint16_t value,
                                                               uint8_t channel)
{
    Lock lock(mutex);
    uint16_t* word = slot(field.reg, channel, true);
    if (word == nullptr)
        return std::nullopt;
    *word = field.set(*word, value);
    return *word;
}

std::optional<uint16_t> ZVRxQxx16PINConfiguration::setFieldOn(const RegisterField& field, bool on, uint8_t channel)
{
    Lock lock(mutex);
    uint16_t* word = slot(field.reg, channel, true);
    if (word == nullptr)
        return std::nullopt;
    *word = field.setOn(*word, on);
    return *word;
}

#define KC_REGISTER_ACCESSORS(getter, setter, member)                   \
    uint16_t ZVRxQxx16PINConfiguration::getter() const                  \
    {                                                                   \
        Lock lock(mutex);                                               \
        return member;                                                  \
    }                                                                   \
    void ZVRxQxx16PINConfiguration::setter(uint16_t value)              \
    {                                                                   \
        Lock lock(mutex);                                               \
        member = value;                                                 \
    }

KC_REGISTER_ACCESSORS(getCRCConfig, setCRCConfig, crcConfig)
KC_REGISTER_ACCESSORS(getLowPowerMode, setLowPowerMode, lowPowerMode)
KC_REGISTER_ACCESSORS(getSleepReg, setSleepRegister, sleepReg)
KC_REGISTER_ACCESSORS(getDeviceFaultMask, setDeviceFaultMask, faultMask)
KC_REGISTER_ACCESSORS(getSwitchState, setSwitchState, swState)
KC_REGISTER_ACCESSORS(getDevConfig, setDevConfig, devConfig)
KC_REGISTER_ACCESSORS(getADCConfig, setADCConfig, adcConfig)
KC_REGISTER_ACCESSORS(getABISTResult, setABISTResult, abistResult)
KC_REGISTER_ACCESSORS(getTest, setTest, testReg)
KC_REGISTER_ACCESSORS(getDevID, setDevID, devID)
KC_REGISTER_ACCESSORS(getDevFault, setDevFault, devFault)
#undef KC_REGISTER_ACCESSORS

#define KC_CHANNEL_ACCESSORS(getter, setter, member1, member2)          \
    uint16_t ZVRxQxx16PINConfiguration::getter(uint8_t channel) const   \
    {                                                                   \
        Lock lock(mutex);                                               \
        return channel == 0 ? member1 : member2;                        \
    }                                                                   \
    void ZVRxQxx16PINConfiguration::setter(uint16_t value, uint8_t channel) \
    {                                                                   \
        Lock lock(mutex);                                               \
        if (channel == 0)                                               \
            member1 = value;                                            \
        else if (channel == 1)                                          \
            member2 = value;                                            \
    }

KC_CHANNEL_ACCESSORS(getPWMConfig, setPWMConfig, pwmRegCh1, pwmRegCh2)
KC_CHANNEL_ACCESSORS(getILIMConfig, setILIMConfig, iLimConfgCh1, iLimConfgCh2)
KC_CHANNEL_ACCESSORS(getChanDiagConfig, setChanDiagConfig, diagConfCh1, diagConfCh2)
KC_CHANNEL_ACCESSORS(getI2TConfig, setI2TConfig, i2tConfCh1, i2tConfCh2)
KC_CHANNEL_ACCESSORS(getChanFault, setChanFault, ch1Fault, ch2Fault)
#undef KC_CHANNEL_ACCESSORS

float ZVRxQxx16PINConfiguration::getKSNSRatio() const
{
    Lock lock(mutex);
    return ksnsRatio;
}

float ZVRxQxx16PINConfiguration::getKSNSRatioScale() const
{
    Lock lock(mutex);
    return ksnsRatioScale;
}

void ZVRxQxx16PINConfiguration::setKSNSRatio(float ratio, float scale)
{
    Lock lock(mutex);
    ksnsRatio = ratio;
    ksnsRatioScale = scale;
}

bool ZVRxQxx16PINConfiguration::isLHIForced() const
{
    Lock lock(mutex);
    return lhiForceStatus;
}

void ZVRxQxx16PINConfiguration::setLHIForced(bool forced)
{
    Lock lock(mutex);
    lhiForceStatus = forced;
}

bool ZVRxQxx16PINConfiguration::isDIForced() const
{
    Lock lock(mutex);
    return diForceStatus;
}

void ZVRxQxx16PINConfiguration::setDIForced(bool forced)
{
    Lock lock(mutex);
    diForceStatus = forced;
}
