#pragma once
// The tool's copy of a 16-pin chip's registers (and the base of the 18-pin
// record). No I/O and no validation: callers fill it from replies and edits.
//
// Thread safety: read-back replies store into the record on the dispatch
// thread while the window thread reads and edits it. Every accessor takes the
// record's own mutex, so single accesses never race. A change of one field
// that must not lose a concurrent store uses updateField()/setFieldOn(), which
// read, change and store the register under one lock. A copy (copy
// constructor or assignment) is a consistent snapshot of every field.

#include <cstdint>
#include <mutex>
#include <optional>

#include "device/HSSRegisterMap.h"
#include "device/RegisterField.h"

class ZVRxQxx16PINConfiguration {
public:
    ZVRxQxx16PINConfiguration() = default;
    ZVRxQxx16PINConfiguration(const ZVRxQxx16PINConfiguration& other);
    ZVRxQxx16PINConfiguration& operator=(const ZVRxQxx16PINConfiguration& other);
    virtual ~ZVRxQxx16PINConfiguration() = default;

    uint16_t getCRCConfig() const;
    void setCRCConfig(uint16_t value);
    uint16_t getLowPowerMode() const;
    void setLowPowerMode(uint16_t value);
    uint16_t getSleepReg() const;
    void setSleepRegister(uint16_t value);
    uint16_t getDeviceFaultMask() const;
    void setDeviceFaultMask(uint16_t value);
    uint16_t getSwitchState() const;
    void setSwitchState(uint16_t value);
    uint16_t getDevConfig() const;
    void setDevConfig(uint16_t value);
    uint16_t getADCConfig() const;
    void setADCConfig(uint16_t value);
    uint16_t getABISTResult() const;
    void setABISTResult(uint16_t value);
    uint16_t getTest() const;
    void setTest(uint16_t value);
    uint16_t getDevID() const;
    void setDevID(uint16_t value);
    uint16_t getDevFault() const;
    void setDevFault(uint16_t value);

    // Per-channel registers. Getters: index 0 is channel 1, every other index
    // channel 2. Setters: index 0 or 1; any other index changes nothing.
    uint16_t getPWMConfig(uint8_t channel) const;
    void setPWMConfig(uint16_t value, uint8_t channel);
    uint16_t getILIMConfig(uint8_t channel) const;
    void setILIMConfig(uint16_t value, uint8_t channel);
    uint16_t getChanDiagConfig(uint8_t channel) const;
    void setChanDiagConfig(uint16_t value, uint8_t channel);
    uint16_t getI2TConfig(uint8_t channel) const;
    void setI2TConfig(uint16_t value, uint8_t channel);
    uint16_t getChanFault(uint8_t channel) const;
    void setChanFault(uint16_t value, uint8_t channel);

    float getKSNSRatio() const;
    float getKSNSRatioScale() const;
    void setKSNSRatio(float ratio, float scale);

    bool isLHIForced() const;
    void setLHIForced(bool forced);
    bool isDIForced() const;
    void setDIForced(bool forced);

    // Access by register name, with the channel rules above. Empty / false
    // for registers the record does not mirror.
    std::optional<uint16_t> getRegister(HSSRegister reg, uint8_t channel = 0) const;
    bool setRegister(HSSRegister reg, uint16_t value, uint8_t channel = 0);

    // Replaces one field of the field's register under one lock and returns
    // the new register word (empty when the record has no such register or
    // a per-channel setter would ignore the channel).
    std::optional<uint16_t> updateField(const RegisterField& field, uint16_t value, uint8_t channel = 0);
    std::optional<uint16_t> setFieldOn(const RegisterField& field, bool on, uint8_t channel = 0);

protected:
    // The member mirroring a register, or nullptr. Caller holds mutex.
    // forWrite applies the setters' channel rule instead of the getters'.
    virtual uint16_t* slot(HSSRegister reg, uint8_t channel, bool forWrite);
    const uint16_t* slot(HSSRegister reg, uint8_t channel) const;
    // Copies every field of the base part. Caller holds both mutexes.
    void copyBaseFrom(const ZVRxQxx16PINConfiguration& other);

    mutable std::mutex mutex;

private:
    uint16_t crcConfig = 0;
    uint16_t lowPowerMode = 0;
    uint16_t sleepReg = 0;
    uint16_t faultMask = 0;
    uint16_t swState = 0;
    uint16_t devConfig = 0;
    uint16_t adcConfig = 0;
    uint16_t abistResult = 0;
    uint16_t testReg = 0;
    uint16_t devID = 0;
    bool lhiForceStatus = false;
    bool diForceStatus = false;
    float ksnsRatio = 0.0f;
    float ksnsRatioScale = 0.0f;
    uint16_t pwmRegCh1 = 0;
    uint16_t pwmRegCh2 = 0;
    uint16_t iLimConfgCh1 = 0;
    uint16_t iLimConfgCh2 = 0;
    uint16_t diagConfCh1 = 0;
    uint16_t diagConfCh2 = 0;
    uint16_t i2tConfCh1 = 0;
    uint16_t i2tConfCh2 = 0;
    uint16_t devFault = 0;
    uint16_t ch1Fault = 0;
    uint16_t ch2Fault = 0;
};
