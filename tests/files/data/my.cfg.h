#ifndef __MY_CFG_H__
#define __MY_CFG_H__

#include <stdint.h>
#include <zvr_qdev.h>

typedef struct ZVR2MXXK1_CONFIG
{
    ZVRXQXX_24PWP_K1_LPM_OBJ               lpmConfig;
    ZVRXQXX_24PWP_K1_FAULT_MASK_OBJ        faultMaskConfig;
    ZVRXQXX_24PWP_K1_SW_STATE_OBJ          swState;
    ZVRXQXX_24PWP_K1_DEV_CONFIG_OBJ        devConfig;
    ZVRXQXX_24PWP_K1_ADC_CONFIG_OBJ        adcConfig;
    ZVRXQXX_24PWP_K1_PWM_CH1_OBJ           pwmCh1Config;
    ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH1_OBJ   ilimCh1Config;
    ZVRXQXX_24PWP_K1_CH1_CONFIG_OBJ        configCh1;
    ZVRXQXX_24PWP_K1_I2T_CONFIG_CH1_OBJ    i2tConfigCh1;
    ZVRXQXX_24PWP_K1_PWM_CH2_OBJ           pwmCh2Config;
    ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH2_OBJ   ilimCh2Config;
    ZVRXQXX_24PWP_K1_CH2_CONFIG_OBJ        configCh2;
    ZVRXQXX_24PWP_K1_I2T_CONFIG_CH2_OBJ    i2tConfigCh2;
    ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH1_OBJ    tsnsCalCh1;
    ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH2_OBJ    tsnsCalCh2;
    ZVRXQXX_24PWP_K1_CUST_REG_52_OBJ            custReg52;
    ZVRXQXX_24PWP_K1_CUST_REG_53_OBJ            custReg53;
    ZVRXQXX_24PWP_K1_CUST_REG_54_OBJ            custReg54;
    ZVRXQXX_24PWP_K1_CUST_REG_55_OBJ            custReg55;
    ZVRXQXX_24PWP_K1_CUST_REG_56_OBJ            custReg56;
    ZVRXQXX_24PWP_K1_CUST_REG_57_OBJ            custReg57;
 } ZVR2MXXK1_CONFIG;

extern ZVR2MXXK1_CONFIG exportConfig;

#endif
