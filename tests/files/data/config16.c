#include "config16.h"

ZVR2MXXK1_CONFIG exportConfig =
{
    .crcConfig =
    {
        .reg = ZVR2MXX_CRC_CONFIG_REG,
        .value.word = 0x0001
    },
    .lpmConfig =
    {
        .reg = ZVR2MXX_LPM_REG,
        .value.word = 0x0078
    },
    .faultMaskConfig =
    {
        .reg = ZVR2MXX_FAULT_MASK_REG,
        .value.word = 0x0000
    },
    .swState =
    {
        .reg = ZVR2MXX_SW_STATE_REG,
        .value.word = 0x0003
    },
    .devConfig =
    {
        .reg = ZVR2MXX_DEV_CONFIG_REG,
        .value.word = 0x0484
    },
    .adcConfig =
    {
        .reg = ZVR2MXX_ADC_CONFIG_REG,
        .value.word = 0x0040
    },
    .pwmCh1Config =
    {
        .reg = ZVR2MXX_PWM_CH1_REG,
        .value.word = 0x08FE
    },
    .ilimCh1Config =
    {
        .reg = ZVR2MXX_ILIM_CONFIG_CH1_REG,
        .value.word = 0x0A86
    },
    .diagConfigCh1 =
    {
        .reg = ZVR2MXX_CH1_CONFIG_REG,
        .value.word = 0x00B5
    },
    .i2tConfigCh1 =
    {
        .reg = ZVR2MXX_I2T_CONFIG_CH1_REG,
        .value.word = 0x82C4
    },
    .pwmCh2Config =
    {
        .reg = ZVR2MXX_PWM_CH2_REG,
        .value.word = 0x0C7F
    },
    .ilimCh2Config =
    {
        .reg = ZVR2MXX_ILIM_CONFIG_CH2_REG,
        .value.word = 0x0964
    },
    .diagConfigCh2 =
    {
        .reg = ZVR2MXX_CH2_CONFIG_REG,
        .value.word = 0xE002
    },
    .i2tConfigCh2 =
    {
        .reg = ZVR2MXX_I2T_CONFIG_CH2_REG,
        .value.word = 0x452A
    }
};

