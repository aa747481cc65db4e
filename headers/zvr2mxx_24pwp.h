/*
 * zvr2mxx_24pwp.h - registers of the 18-pin ZVR2M switches (ZVR2M05, ZVR2M07).
 *
 * Shipped with Keldor Configurator; included by zvr_qdev.h. Register numbers
 * are the 8-bit SPI addresses; every per-channel register sits one below
 * its 16-pin twin, and the channel-2 register is the channel-1 register
 * plus 9. Field macros of per-channel registers apply to both channels.
 */
#ifndef ZVR2MXX_24PWP_H
#define ZVR2MXX_24PWP_H

#include "zvr_qdev.h"

/* ---- Register numbers ---------------------------------------------------- */
#define ZVRXQXX_24PWP_K1_DEVID_REG                 (0x00U)
#define ZVRXQXX_24PWP_K1_SLEEP_REG                 (0x01U)
#define ZVRXQXX_24PWP_K1_LPM_REG                   (0x02U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_REG             (0x03U)
#define ZVRXQXX_24PWP_K1_FAULT_MASK_REG            (0x04U)
#define ZVRXQXX_24PWP_K1_ABIST_RESULT_REG          (0x05U)
#define ZVRXQXX_24PWP_K1_SW_STATE_REG              (0x06U)
#define ZVRXQXX_24PWP_K1_DEV_CONFIG_REG            (0x08U)
#define ZVRXQXX_24PWP_K1_ADC_CONFIG_REG            (0x09U)
#define ZVRXQXX_24PWP_K1_CH1_FAULT_REG             (0x0CU)
#define ZVRXQXX_24PWP_K1_PWM_CH1_REG               (0x0DU)
#define ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH1_REG       (0x0EU)
#define ZVRXQXX_24PWP_K1_CH1_CONFIG_REG            (0x0FU)
#define ZVRXQXX_24PWP_K1_I2T_CONFIG_CH1_REG        (0x14U)
#define ZVRXQXX_24PWP_K1_CH2_FAULT_REG             (0x15U)
#define ZVRXQXX_24PWP_K1_PWM_CH2_REG               (0x16U)
#define ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH2_REG       (0x17U)
#define ZVRXQXX_24PWP_K1_CH2_CONFIG_REG            (0x18U)
#define ZVRXQXX_24PWP_K1_I2T_CONFIG_CH2_REG        (0x1DU)
#define ZVRXQXX_24PWP_K1_EEPROM_PROG_REG           (0x3FU)
#define ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH1_REG   (0x50U)
#define ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH2_REG   (0x51U)
#define ZVRXQXX_24PWP_K1_CUST_REG_52_REG           (0x52U)
#define ZVRXQXX_24PWP_K1_CUST_REG_53_REG           (0x53U)
#define ZVRXQXX_24PWP_K1_CUST_REG_54_REG           (0x54U)
#define ZVRXQXX_24PWP_K1_CUST_REG_55_REG           (0x55U)
#define ZVRXQXX_24PWP_K1_CUST_REG_56_REG           (0x56U)
#define ZVRXQXX_24PWP_K1_CUST_REG_57_REG           (0x57U)
#define ZVRXQXX_24PWP_K1_TEST_MODE_KEY_REG         (0x71U)
#define ZVRXQXX_24PWP_K1_TEST_CTRL_REG             (0x75U)
#define ZVRXQXX_24PWP_K1_WAKE_REG                  (0xFFU)

#define ZVRXQXX_24PWP_K1_WAKE_VALUE                (0xFFFFU)
/* Written to EEPROM_PROG in this order, they store the settings in EEPROM. */
#define ZVRXQXX_24PWP_K1_EEPROM_KEY_1              (0x3C69U)
#define ZVRXQXX_24PWP_K1_EEPROM_KEY_2              (0xC68CU)
#define ZVRXQXX_24PWP_K1_EEPROM_KEY_3              (0xDDE9U)
#define ZVRXQXX_24PWP_K1_EEPROM_KEY_4              (0x4F6BU)

/* ---- Register objects ---------------------------------------------------- */
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_DEVID_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_SLEEP_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_LPM_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_DEV_FAULT_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_FAULT_MASK_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_ABIST_RESULT_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_SW_STATE_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_DEV_CONFIG_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_ADC_CONFIG_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CH1_FAULT_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_PWM_CH1_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH1_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CH1_CONFIG_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_I2T_CONFIG_CH1_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CH2_FAULT_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_PWM_CH2_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH2_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CH2_CONFIG_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_I2T_CONFIG_CH2_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH1_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH2_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CUST_REG_52_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CUST_REG_53_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CUST_REG_54_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CUST_REG_55_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CUST_REG_56_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_CUST_REG_57_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVRXQXX_24PWP_K1_TEST_CTRL_OBJ;

/* ---- Bit fields ---------------------------------------------------------- */
/* LPM */
#define ZVRXQXX_24PWP_K1_LPM_EN_MASK               (0x0001U)  /* low-power mode, 1 = on */
#define ZVRXQXX_24PWP_K1_LPM_EN_SHIFT              (0U)
#define ZVRXQXX_24PWP_K1_LPM_FET_MASK              (0x0002U)  /* 0 small FET, 1 large FET */
#define ZVRXQXX_24PWP_K1_LPM_FET_SHIFT             (1U)
#define ZVRXQXX_24PWP_K1_LPM_AUTO_CH1_MASK         (0x0004U)
#define ZVRXQXX_24PWP_K1_LPM_AUTO_CH1_SHIFT        (2U)
#define ZVRXQXX_24PWP_K1_LPM_AUTO_CH2_MASK         (0x0008U)
#define ZVRXQXX_24PWP_K1_LPM_AUTO_CH2_SHIFT        (3U)
#define ZVRXQXX_24PWP_K1_LPM_ITH_CH1_MASK          (0x0030U)  /* LPM current threshold index */
#define ZVRXQXX_24PWP_K1_LPM_ITH_CH1_SHIFT         (4U)
#define ZVRXQXX_24PWP_K1_LPM_ITH_CH2_MASK          (0x00C0U)
#define ZVRXQXX_24PWP_K1_LPM_ITH_CH2_SHIFT         (6U)

/* DEV_FAULT (read only) */
#define ZVRXQXX_24PWP_K1_DEV_FAULT_VBB_UVLO_MASK   (0x0001U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_VBB_UVLO_SHIFT  (0U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_VBB_UVW_MASK    (0x0002U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_VBB_UVW_SHIFT   (1U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_VDD_UVLO_MASK   (0x0004U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_VDD_UVLO_SHIFT  (2U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_WDT_MASK        (0x0008U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_WDT_SHIFT       (3U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_SPI_MASK        (0x0010U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_SPI_SHIFT       (4U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_POR_MASK        (0x0040U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_POR_SHIFT       (6U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_LIMP_HOME_MASK  (0x0080U)  /* write 1 to clear */
#define ZVRXQXX_24PWP_K1_DEV_FAULT_LIMP_HOME_SHIFT (7U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_GLOBAL_MASK     (0x0100U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_GLOBAL_SHIFT    (8U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_IN_LPM_MASK     (0x0800U)
#define ZVRXQXX_24PWP_K1_DEV_FAULT_IN_LPM_SHIFT    (11U)

/* FAULT_MASK (1 = fault masked) */
#define ZVRXQXX_24PWP_K1_MASK_VBB_UVLO_MASK        (0x0001U)
#define ZVRXQXX_24PWP_K1_MASK_VBB_UVLO_SHIFT       (0U)
#define ZVRXQXX_24PWP_K1_MASK_WDT_MASK             (0x0002U)
#define ZVRXQXX_24PWP_K1_MASK_WDT_SHIFT            (1U)
#define ZVRXQXX_24PWP_K1_MASK_SPI_MASK             (0x0004U)
#define ZVRXQXX_24PWP_K1_MASK_SPI_SHIFT            (2U)
#define ZVRXQXX_24PWP_K1_MASK_OL_OFF_MASK          (0x0010U)
#define ZVRXQXX_24PWP_K1_MASK_OL_OFF_SHIFT         (4U)
#define ZVRXQXX_24PWP_K1_MASK_SHORT_VBB_MASK       (0x0020U)
#define ZVRXQXX_24PWP_K1_MASK_SHORT_VBB_SHIFT      (5U)

/* SW_STATE */
#define ZVRXQXX_24PWP_K1_SW_CH1_MASK               (0x0001U)
#define ZVRXQXX_24PWP_K1_SW_CH1_SHIFT              (0U)
#define ZVRXQXX_24PWP_K1_SW_CH2_MASK               (0x0002U)
#define ZVRXQXX_24PWP_K1_SW_CH2_SHIFT              (1U)

/* DEV_CONFIG */
#define ZVRXQXX_24PWP_K1_FAULT_LATCH_N_MASK        (0x0001U)  /* 0 = faults latch */
#define ZVRXQXX_24PWP_K1_FAULT_LATCH_N_SHIFT       (0U)
#define ZVRXQXX_24PWP_K1_WDT_TIMEOUT_MASK          (0x0006U)  /* 400 us, 400 ms, 800 ms, 1200 ms */
#define ZVRXQXX_24PWP_K1_WDT_TIMEOUT_SHIFT         (1U)
#define ZVRXQXX_24PWP_K1_WDT_EN_MASK               (0x0008U)
#define ZVRXQXX_24PWP_K1_WDT_EN_SHIFT              (3U)
#define ZVRXQXX_24PWP_K1_AUTO_LPM_EN_MASK          (0x0020U)
#define ZVRXQXX_24PWP_K1_AUTO_LPM_EN_SHIFT         (5U)
#define ZVRXQXX_24PWP_K1_FAST_DI_MASK              (0x0040U)  /* fast output with the DI pin */
#define ZVRXQXX_24PWP_K1_FAST_DI_SHIFT             (6U)
#define ZVRXQXX_24PWP_K1_LHI_CH1_MASK              (0x0180U)  /* limp-home behaviour index */
#define ZVRXQXX_24PWP_K1_LHI_CH1_SHIFT             (7U)
#define ZVRXQXX_24PWP_K1_LHI_CH2_MASK              (0x0600U)
#define ZVRXQXX_24PWP_K1_LHI_CH2_SHIFT             (9U)
#define ZVRXQXX_24PWP_K1_CRC_EN_MASK               (0x8000U)  /* SPI CRC, 1 = on */
#define ZVRXQXX_24PWP_K1_CRC_EN_SHIFT              (15U)

/* ADC_CONFIG (the sampling switches are 0 = on) */
#define ZVRXQXX_24PWP_K1_ADC_DIS_MASK              (0x0001U)
#define ZVRXQXX_24PWP_K1_ADC_DIS_SHIFT             (0U)
#define ZVRXQXX_24PWP_K1_ADC_VBB_DIS_MASK          (0x0002U)
#define ZVRXQXX_24PWP_K1_ADC_VBB_DIS_SHIFT         (1U)
#define ZVRXQXX_24PWP_K1_ADC_ILOAD_DIS_MASK        (0x0004U)
#define ZVRXQXX_24PWP_K1_ADC_ILOAD_DIS_SHIFT       (2U)
#define ZVRXQXX_24PWP_K1_ADC_TEMP_DIS_MASK         (0x0008U)
#define ZVRXQXX_24PWP_K1_ADC_TEMP_DIS_SHIFT        (3U)
#define ZVRXQXX_24PWP_K1_ADC_VOUT_DIS_MASK         (0x0010U)
#define ZVRXQXX_24PWP_K1_ADC_VOUT_DIS_SHIFT        (4U)
#define ZVRXQXX_24PWP_K1_ADC_VDS_DIS_MASK          (0x0020U)
#define ZVRXQXX_24PWP_K1_ADC_VDS_DIS_SHIFT         (5U)
#define ZVRXQXX_24PWP_K1_ADC_RATE_MASK             (0x00C0U)  /* maximum, 50 %, 25 % */
#define ZVRXQXX_24PWP_K1_ADC_RATE_SHIFT            (6U)

/* CH1_FAULT / CH2_FAULT (read only) */
#define ZVRXQXX_24PWP_K1_CH_FAULT_TWARN_MASK       (0x0001U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_TWARN_SHIFT      (0U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_OL_OFF_MASK      (0x0004U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_OL_OFF_SHIFT     (2U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_SHORT_VBB_MASK   (0x0008U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_SHORT_VBB_SHIFT  (3U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_ILIM_MASK        (0x0010U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_ILIM_SHIFT       (4U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_TSD_MASK         (0x0020U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_TSD_SHIFT        (5U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_LPM_WAKE_MASK    (0x0040U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_LPM_WAKE_SHIFT   (6U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_I2T_MASK         (0x0080U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_I2T_SHIFT        (7U)
#define ZVRXQXX_24PWP_K1_CH_FAULT_I2T_ACC_MASK     (0x1000U)  /* I2T accumulating */
#define ZVRXQXX_24PWP_K1_CH_FAULT_I2T_ACC_SHIFT    (12U)

/* PWM_CH1 / PWM_CH2 */
#define ZVRXQXX_24PWP_K1_PWM_EN_MASK               (0x0001U)
#define ZVRXQXX_24PWP_K1_PWM_EN_SHIFT              (0U)
#define ZVRXQXX_24PWP_K1_PWM_DUTY_MASK             (0x01FEU)  /* duty (n + 1) / 256 */
#define ZVRXQXX_24PWP_K1_PWM_DUTY_SHIFT            (1U)
#define ZVRXQXX_24PWP_K1_PWM_FREQ_MASK             (0x0E00U)  /* frequency index */
#define ZVRXQXX_24PWP_K1_PWM_FREQ_SHIFT            (9U)

/* ILIM_CONFIG_CH1 / ILIM_CONFIG_CH2 */
#define ZVRXQXX_24PWP_K1_ILIMIT_SET_MASK           (0x000FU)  /* hardware current limit index */
#define ZVRXQXX_24PWP_K1_ILIMIT_SET_SHIFT          (0U)
#define ZVRXQXX_24PWP_K1_INRUSH_LEVEL_MASK         (0x00F0U)
#define ZVRXQXX_24PWP_K1_INRUSH_LEVEL_SHIFT        (4U)
#define ZVRXQXX_24PWP_K1_INRUSH_DURATION_MASK      (0x0700U)
#define ZVRXQXX_24PWP_K1_INRUSH_DURATION_SHIFT     (8U)
#define ZVRXQXX_24PWP_K1_I2T_EN_MASK               (0x0800U)
#define ZVRXQXX_24PWP_K1_I2T_EN_SHIFT              (11U)
#define ZVRXQXX_24PWP_K1_CAP_CHARGE_MASK           (0x2000U)  /* capacitive charging mode */
#define ZVRXQXX_24PWP_K1_CAP_CHARGE_SHIFT          (13U)

/* CH1_CONFIG / CH2_CONFIG */
#define ZVRXQXX_24PWP_K1_SLEW_MASK                 (0x0003U)
#define ZVRXQXX_24PWP_K1_SLEW_SHIFT                (0U)
#define ZVRXQXX_24PWP_K1_SHUTDOWN_RETRY_MASK       (0x0004U)  /* 1 = auto-retry, 0 = latch */
#define ZVRXQXX_24PWP_K1_SHUTDOWN_RETRY_SHIFT      (2U)
#define ZVRXQXX_24PWP_K1_SVBB_MASK                 (0x0018U)  /* SVBB enable setting index */
#define ZVRXQXX_24PWP_K1_SVBB_SHIFT                (3U)
#define ZVRXQXX_24PWP_K1_OL_PU_CURRENT_MASK        (0x0060U)
#define ZVRXQXX_24PWP_K1_OL_PU_CURRENT_SHIFT       (5U)
#define ZVRXQXX_24PWP_K1_OL_BLANK_MASK             (0x0180U)
#define ZVRXQXX_24PWP_K1_OL_BLANK_SHIFT            (7U)
#define ZVRXQXX_24PWP_K1_OL_SCALE_MASK             (0x0200U)
#define ZVRXQXX_24PWP_K1_OL_SCALE_SHIFT            (9U)
#define ZVRXQXX_24PWP_K1_ADC_SCALE_MASK            (0x0400U)  /* 1x, 8x */
#define ZVRXQXX_24PWP_K1_ADC_SCALE_SHIFT           (10U)
#define ZVRXQXX_24PWP_K1_PIN_DIS_MASK_MASK         (0x1000U)  /* pin disable mask */
#define ZVRXQXX_24PWP_K1_PIN_DIS_MASK_SHIFT        (12U)
#define ZVRXQXX_24PWP_K1_CH_ILOAD_ADC_DIS_MASK     (0x2000U)  /* 0 = sampled */
#define ZVRXQXX_24PWP_K1_CH_ILOAD_ADC_DIS_SHIFT    (13U)
#define ZVRXQXX_24PWP_K1_CH_VDS_ADC_DIS_MASK       (0x4000U)
#define ZVRXQXX_24PWP_K1_CH_VDS_ADC_DIS_SHIFT      (14U)
#define ZVRXQXX_24PWP_K1_CH_VOUT_ADC_DIS_MASK      (0x8000U)
#define ZVRXQXX_24PWP_K1_CH_VOUT_ADC_DIS_SHIFT     (15U)

/* I2T_CONFIG_CH1 / I2T_CONFIG_CH2 */
#define ZVRXQXX_24PWP_K1_NOM_CUR_MASK              (0x0007U)  /* nominal current index */
#define ZVRXQXX_24PWP_K1_NOM_CUR_SHIFT             (0U)
#define ZVRXQXX_24PWP_K1_I2T_TRIP_MASK             (0x0078U)  /* I2T trip energy index */
#define ZVRXQXX_24PWP_K1_I2T_TRIP_SHIFT            (3U)
#define ZVRXQXX_24PWP_K1_ISWCL_MASK                (0x0180U)  /* software current limit index */
#define ZVRXQXX_24PWP_K1_ISWCL_SHIFT               (7U)
#define ZVRXQXX_24PWP_K1_SWCL_DLY_MASK             (0x0600U)  /* software current limit delay index */
#define ZVRXQXX_24PWP_K1_SWCL_DLY_SHIFT            (9U)
#define ZVRXQXX_24PWP_K1_DEC_FACTOR_MASK           (0x1800U)  /* decrementer factor 0.25, 0.5, 1, 2 */
#define ZVRXQXX_24PWP_K1_DEC_FACTOR_SHIFT          (11U)
#define ZVRXQXX_24PWP_K1_DEC_MODE_MASK             (0x2000U)  /* decrementer enabled */
#define ZVRXQXX_24PWP_K1_DEC_MODE_SHIFT            (13U)
#define ZVRXQXX_24PWP_K1_TCLDN_MASK                (0xC000U)  /* cooldown: latch, 0.8 s, 2 s, 4 s */
#define ZVRXQXX_24PWP_K1_TCLDN_SHIFT               (14U)

/* TEST_CTRL */
#define ZVRXQXX_24PWP_K1_TEST_DIGITAL_MASK         (0x001FU)
#define ZVRXQXX_24PWP_K1_TEST_DIGITAL_SHIFT        (0U)
#define ZVRXQXX_24PWP_K1_TEST_ANALOG_MASK          (0x1F00U)
#define ZVRXQXX_24PWP_K1_TEST_ANALOG_SHIFT         (8U)

#endif /* ZVR2MXX_24PWP_H */
