#ifndef __CONFIG16_H__
#define __CONFIG16_H__

#include <stdint.h>
#include <zvr_qdev.h>

typedef struct ZVR2MXXK1_CONFIG
{
    ZVR2MXX_CRC_CONFIG_OBJ        crcConfig;
    ZVR2MXX_LPM_OBJ               lpmConfig;
    ZVR2MXX_FAULT_MASK_OBJ        faultMaskConfig;
    ZVR2MXX_SW_STATE_OBJ          swState;
    ZVR2MXX_DEV_CONFIG_OBJ        devConfig;
    ZVR2MXX_ADC_CONFIG_OBJ        adcConfig;
    ZVR2MXX_PWM_CH1_OBJ           pwmCh1Config;
    ZVR2MXX_ILIM_CONFIG_CH1_OBJ   ilimCh1Config;
    ZVR2MXX_CH1_CONFIG_OBJ        diagConfigCh1;
    ZVR2MXX_I2T_CONFIG_CH1_OBJ    i2tConfigCh1;
    ZVR2MXX_PWM_CH2_OBJ           pwmCh2Config;
    ZVR2MXX_ILIM_CONFIG_CH2_OBJ   ilimCh2Config;
    ZVR2MXX_CH2_CONFIG_OBJ        diagConfigCh2;
    ZVR2MXX_I2T_CONFIG_CH2_OBJ    i2tConfigCh2;
 } ZVR2MXXK1_CONFIG;

extern ZVR2MXXK1_CONFIG exportConfig;

#endif
