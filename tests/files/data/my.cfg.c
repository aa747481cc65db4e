#include "my.cfg.h"

ZVR2MXXK1_CONFIG exportConfig =
{
    .lpmConfig =
    {
        .reg = ZVRXQXX_24PWP_K1_LPM_REG,
        .value.word = 0x00F1
    },
    .faultMaskConfig =
    {
        .reg = ZVRXQXX_24PWP_K1_FAULT_MASK_REG,
        .value.word = 0x003F
    },
    .swState =
    {
        .reg = ZVRXQXX_24PWP_K1_SW_STATE_REG,
        .value.word = 0x0002
    },
    .devConfig =
    {
        .reg = ZVRXQXX_24PWP_K1_DEV_CONFIG_REG,
        .value.word = 0x8484
    },
    .adcConfig =
    {
        .reg = ZVRXQXX_24PWP_K1_ADC_CONFIG_REG,
        .value.word = 0x00C0
    },
    .pwmCh1Config =
    {
        .reg = ZVRXQXX_24PWP_K1_PWM_CH1_REG,
        .value.word = 0x0E01
    },
    .ilimCh1Config =
    {
        .reg = ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH1_REG,
        .value.word = 0x2B98
    },
    .configCh1 =
    {
        .reg = ZVRXQXX_24PWP_K1_CH1_CONFIG_REG,
        .value.word = 0x10A1
    },
    .i2tConfigCh1 =
    {
        .reg = ZVRXQXX_24PWP_K1_I2T_CONFIG_CH1_REG,
        .value.word = 0xB2C4
    },
    .pwmCh2Config =
    {
        .reg = ZVRXQXX_24PWP_K1_PWM_CH2_REG,
        .value.word = 0x0C7F
    },
    .ilimCh2Config =
    {
        .reg = ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH2_REG,
        .value.word = 0x0A76
    },
    .configCh2 =
    {
        .reg = ZVRXQXX_24PWP_K1_CH2_CONFIG_REG,
        .value.word = 0x0006
    },
    .i2tConfigCh2 =
    {
        .reg = ZVRXQXX_24PWP_K1_I2T_CONFIG_CH2_REG,
        .value.word = 0x6D32
    },
    .tsnsCalCh1 =
    {
        .reg = ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH1_REG,
        .value.word = 0x0213
    },
    .tsnsCalCh2 =
    {
        .reg = ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH2_REG,
        .value.word = 0x020E
    },
    .custReg52 =
    {
        .reg = ZVRXQXX_24PWP_K1_CUST_REG_52_REG,
        .value.word = 0xBEEF
    },
    .custReg53 =
    {
        .reg = ZVRXQXX_24PWP_K1_CUST_REG_53_REG,
        .value.word = 0x0000
    },
    .custReg54 =
    {
        .reg = ZVRXQXX_24PWP_K1_CUST_REG_54_REG,
        .value.word = 0xFFFF
    },
    .custReg55 =
    {
        .reg = ZVRXQXX_24PWP_K1_CUST_REG_55_REG,
        .value.word = 0x1234
    },
    .custReg56 =
    {
        .reg = ZVRXQXX_24PWP_K1_CUST_REG_56_REG,
        .value.word = 0xABCD
    },
    .custReg57 =
    {
        .reg = ZVRXQXX_24PWP_K1_CUST_REG_57_REG,
        .value.word = 0x00A0
    }
};

