/*
 * zvr2mxx.h - registers of the 16-pin ZVR2M switches (ZVR2M08, ZVR2M10, ZVR2M20).
 *
 * Shipped with Keldor Configurator; included by zvr_qdev.h. Register numbers
 * are the 8-bit SPI addresses. Per-channel registers: the channel-2 register
 * is the channel-1 register plus 9. Field macros of per-channel registers
 * apply to both channels' registers.
 */
#ifndef ZVR2MXX_H
#define ZVR2MXX_H

#include "zvr_qdev.h"

/* ---- Register numbers ---------------------------------------------------- */
#define ZVR2MXX_DEVID_REG                (0x00U)
#define ZVR2MXX_CRC_CONFIG_REG           (0x01U)
#define ZVR2MXX_SLEEP_REG                (0x02U)
#define ZVR2MXX_LPM_REG                  (0x03U)
#define ZVR2MXX_DEV_FAULT_REG            (0x04U)
#define ZVR2MXX_FAULT_MASK_REG           (0x05U)
#define ZVR2MXX_ABIST_RESULT_REG         (0x06U)
#define ZVR2MXX_SW_STATE_REG             (0x07U)
#define ZVR2MXX_SAFETY_TEST_REG          (0x08U)
#define ZVR2MXX_DEV_CONFIG_REG           (0x09U)
#define ZVR2MXX_ADC_CONFIG_REG           (0x0AU)
#define ZVR2MXX_CH1_FAULT_REG            (0x0DU)
#define ZVR2MXX_PWM_CH1_REG              (0x0EU)
#define ZVR2MXX_ILIM_CONFIG_CH1_REG      (0x0FU)
#define ZVR2MXX_CH1_CONFIG_REG           (0x10U)
#define ZVR2MXX_I2T_CONFIG_CH1_REG       (0x15U)
#define ZVR2MXX_CH2_FAULT_REG            (0x16U)
#define ZVR2MXX_PWM_CH2_REG              (0x17U)
#define ZVR2MXX_ILIM_CONFIG_CH2_REG      (0x18U)
#define ZVR2MXX_CH2_CONFIG_REG           (0x19U)
#define ZVR2MXX_I2T_CONFIG_CH2_REG       (0x1EU)
#define ZVR2MXX_TEST_MODE_KEY_REG        (0x71U)
#define ZVR2MXX_TEST_CTRL_REG            (0x75U)
#define ZVR2MXX_WAKE_REG                 (0xFFU)

/* Written to WAKE to wake the chip; written to SLEEP to send it to sleep. */
#define ZVR2MXX_WAKE_VALUE               (0xFFFFU)
#define ZVR2MXX_SLEEP_ENTER_VALUE        (0x0001U)

/* ---- Register objects ---------------------------------------------------- */
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_DEVID_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_CRC_CONFIG_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_SLEEP_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_LPM_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_DEV_FAULT_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_FAULT_MASK_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_ABIST_RESULT_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_SW_STATE_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_SAFETY_TEST_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_DEV_CONFIG_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_ADC_CONFIG_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_CH1_FAULT_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_PWM_CH1_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_ILIM_CONFIG_CH1_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_CH1_CONFIG_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_I2T_CONFIG_CH1_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_CH2_FAULT_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_PWM_CH2_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_ILIM_CONFIG_CH2_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_CH2_CONFIG_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_I2T_CONFIG_CH2_OBJ;
typedef struct { uint8_t reg; ZVR_QDEV_VALUE value; } ZVR2MXX_TEST_CTRL_OBJ;

/* ---- Bit fields ---------------------------------------------------------- */
/* CRC_CONFIG */
#define ZVR2MXX_CRC_EN_MASK              (0x0001U)  /* SPI CRC, 1 = on */
#define ZVR2MXX_CRC_EN_SHIFT             (0U)

/* LPM */
#define ZVR2MXX_LPM_EN_MASK              (0x0001U)  /* low-power mode, 1 = on */
#define ZVR2MXX_LPM_EN_SHIFT             (0U)
#define ZVR2MXX_LPM_AUTO_CH1_MASK        (0x0002U)  /* automatic LPM entry, channel 1 */
#define ZVR2MXX_LPM_AUTO_CH1_SHIFT       (1U)
#define ZVR2MXX_LPM_AUTO_CH2_MASK        (0x0004U)
#define ZVR2MXX_LPM_AUTO_CH2_SHIFT       (2U)
#define ZVR2MXX_LPM_ITH_CH1_MASK         (0x0018U)  /* LPM current threshold index */
#define ZVR2MXX_LPM_ITH_CH1_SHIFT        (3U)
#define ZVR2MXX_LPM_ITH_CH2_MASK         (0x0060U)
#define ZVR2MXX_LPM_ITH_CH2_SHIFT        (5U)

/* DEV_FAULT (read only) */
#define ZVR2MXX_DEV_FAULT_VBB_UVLO_MASK  (0x0001U)
#define ZVR2MXX_DEV_FAULT_VBB_UVLO_SHIFT (0U)
#define ZVR2MXX_DEV_FAULT_VBB_UVW_MASK   (0x0002U)
#define ZVR2MXX_DEV_FAULT_VBB_UVW_SHIFT  (1U)
#define ZVR2MXX_DEV_FAULT_VDD_UVLO_MASK  (0x0004U)
#define ZVR2MXX_DEV_FAULT_VDD_UVLO_SHIFT (2U)
#define ZVR2MXX_DEV_FAULT_WDT_MASK       (0x0008U)
#define ZVR2MXX_DEV_FAULT_WDT_SHIFT      (3U)
#define ZVR2MXX_DEV_FAULT_SPI_MASK       (0x0010U)
#define ZVR2MXX_DEV_FAULT_SPI_SHIFT      (4U)
#define ZVR2MXX_DEV_FAULT_POR_MASK       (0x0040U)
#define ZVR2MXX_DEV_FAULT_POR_SHIFT      (6U)
#define ZVR2MXX_DEV_FAULT_LIMP_HOME_MASK (0x0080U)  /* write 1 to clear */
#define ZVR2MXX_DEV_FAULT_LIMP_HOME_SHIFT (7U)
#define ZVR2MXX_DEV_FAULT_GLOBAL_MASK    (0x0100U)
#define ZVR2MXX_DEV_FAULT_GLOBAL_SHIFT   (8U)
#define ZVR2MXX_DEV_FAULT_IN_LPM_MASK    (0x0800U)
#define ZVR2MXX_DEV_FAULT_IN_LPM_SHIFT   (11U)

/* FAULT_MASK (1 = fault masked) */
#define ZVR2MXX_MASK_VBB_UVLO_MASK       (0x0001U)
#define ZVR2MXX_MASK_VBB_UVLO_SHIFT      (0U)
#define ZVR2MXX_MASK_WDT_MASK            (0x0002U)
#define ZVR2MXX_MASK_WDT_SHIFT           (1U)
#define ZVR2MXX_MASK_SPI_MASK            (0x0004U)
#define ZVR2MXX_MASK_SPI_SHIFT           (2U)
#define ZVR2MXX_MASK_OL_OFF_MASK         (0x0010U)
#define ZVR2MXX_MASK_OL_OFF_SHIFT        (4U)
#define ZVR2MXX_MASK_SHORT_VBB_MASK      (0x0020U)
#define ZVR2MXX_MASK_SHORT_VBB_SHIFT     (5U)
#define ZVR2MXX_MASK_ILIM_MASK           (0x0040U)
#define ZVR2MXX_MASK_ILIM_SHIFT          (6U)

/* SW_STATE */
#define ZVR2MXX_SW_CH1_MASK              (0x0001U)  /* channel 1 on */
#define ZVR2MXX_SW_CH1_SHIFT             (0U)
#define ZVR2MXX_SW_CH2_MASK              (0x0002U)
#define ZVR2MXX_SW_CH2_SHIFT             (1U)

/* DEV_CONFIG */
#define ZVR2MXX_FAULT_LATCH_N_MASK       (0x0001U)  /* 0 = faults latch */
#define ZVR2MXX_FAULT_LATCH_N_SHIFT      (0U)
#define ZVR2MXX_WDT_TIMEOUT_MASK         (0x0006U)  /* 400 us, 400 ms, 800 ms, 1200 ms */
#define ZVR2MXX_WDT_TIMEOUT_SHIFT        (1U)
#define ZVR2MXX_WDT_EN_MASK              (0x0008U)
#define ZVR2MXX_WDT_EN_SHIFT             (3U)
#define ZVR2MXX_PARALLEL_MASK            (0x0010U)  /* channels in parallel */
#define ZVR2MXX_PARALLEL_SHIFT           (4U)
#define ZVR2MXX_AUTO_LPM_EN_MASK         (0x0020U)
#define ZVR2MXX_AUTO_LPM_EN_SHIFT        (5U)
#define ZVR2MXX_PWM_DELAY_N_MASK         (0x0040U)  /* 0 = PWM delay on */
#define ZVR2MXX_PWM_DELAY_N_SHIFT        (6U)
#define ZVR2MXX_LHI_CH1_MASK             (0x0180U)  /* limp-home behaviour index */
#define ZVR2MXX_LHI_CH1_SHIFT            (7U)
#define ZVR2MXX_LHI_CH2_MASK             (0x0600U)
#define ZVR2MXX_LHI_CH2_SHIFT            (9U)

/* ADC_CONFIG (the sampling switches are 0 = on) */
#define ZVR2MXX_ADC_DIS_MASK             (0x0001U)
#define ZVR2MXX_ADC_DIS_SHIFT            (0U)
#define ZVR2MXX_ADC_VBB_DIS_MASK         (0x0002U)
#define ZVR2MXX_ADC_VBB_DIS_SHIFT        (1U)
#define ZVR2MXX_ADC_ILOAD_DIS_MASK       (0x0004U)
#define ZVR2MXX_ADC_ILOAD_DIS_SHIFT      (2U)
#define ZVR2MXX_ADC_TEMP_DIS_MASK        (0x0008U)
#define ZVR2MXX_ADC_TEMP_DIS_SHIFT       (3U)
#define ZVR2MXX_ADC_VOUT_DIS_MASK        (0x0010U)
#define ZVR2MXX_ADC_VOUT_DIS_SHIFT       (4U)
#define ZVR2MXX_ADC_VDS_DIS_MASK         (0x0020U)
#define ZVR2MXX_ADC_VDS_DIS_SHIFT        (5U)
#define ZVR2MXX_ADC_RATE_MASK            (0x00C0U)  /* maximum, 50 %, 25 % */
#define ZVR2MXX_ADC_RATE_SHIFT           (6U)

/* CH1_FAULT / CH2_FAULT (read only) */
#define ZVR2MXX_CH_FAULT_TWARN_MASK      (0x0001U)
#define ZVR2MXX_CH_FAULT_TWARN_SHIFT     (0U)
#define ZVR2MXX_CH_FAULT_OL_OFF_MASK     (0x0004U)
#define ZVR2MXX_CH_FAULT_OL_OFF_SHIFT    (2U)
#define ZVR2MXX_CH_FAULT_SHORT_VBB_MASK  (0x0008U)
#define ZVR2MXX_CH_FAULT_SHORT_VBB_SHIFT (3U)
#define ZVR2MXX_CH_FAULT_ILIM_MASK       (0x0010U)
#define ZVR2MXX_CH_FAULT_ILIM_SHIFT      (4U)
#define ZVR2MXX_CH_FAULT_TSD_MASK        (0x0020U)
#define ZVR2MXX_CH_FAULT_TSD_SHIFT       (5U)
#define ZVR2MXX_CH_FAULT_LPM_WAKE_MASK   (0x0040U)
#define ZVR2MXX_CH_FAULT_LPM_WAKE_SHIFT  (6U)
#define ZVR2MXX_CH_FAULT_I2T_MASK        (0x0080U)
#define ZVR2MXX_CH_FAULT_I2T_SHIFT       (7U)

/* PWM_CH1 / PWM_CH2 */
#define ZVR2MXX_PWM_EN_MASK              (0x0001U)
#define ZVR2MXX_PWM_EN_SHIFT             (0U)
#define ZVR2MXX_PWM_DUTY_MASK            (0x01FEU)  /* duty (n + 1) / 256 */
#define ZVR2MXX_PWM_DUTY_SHIFT           (1U)
#define ZVR2MXX_PWM_FREQ_MASK            (0x0E00U)  /* frequency index */
#define ZVR2MXX_PWM_FREQ_SHIFT           (9U)

/* ILIM_CONFIG_CH1 / ILIM_CONFIG_CH2 */
#define ZVR2MXX_ILIMIT_SET_MASK          (0x000FU)  /* hardware current limit index */
#define ZVR2MXX_ILIMIT_SET_SHIFT         (0U)
#define ZVR2MXX_INRUSH_LEVEL_MASK        (0x00F0U)
#define ZVR2MXX_INRUSH_LEVEL_SHIFT       (4U)
#define ZVR2MXX_INRUSH_DURATION_MASK     (0x0700U)
#define ZVR2MXX_INRUSH_DURATION_SHIFT    (8U)
#define ZVR2MXX_I2T_EN_MASK              (0x0800U)
#define ZVR2MXX_I2T_EN_SHIFT             (11U)
#define ZVR2MXX_CAP_CHARGE_MASK          (0x2000U)  /* capacitive charging mode */
#define ZVR2MXX_CAP_CHARGE_SHIFT         (13U)

/* CH1_CONFIG / CH2_CONFIG */
#define ZVR2MXX_SLEW_MASK                (0x0003U)
#define ZVR2MXX_SLEW_SHIFT               (0U)
#define ZVR2MXX_SHUTDOWN_LATCH_MASK      (0x0004U)  /* 1 = latch, 0 = auto-retry */
#define ZVR2MXX_SHUTDOWN_LATCH_SHIFT     (2U)
#define ZVR2MXX_VBB_SHORT_PD_MASK        (0x0008U)
#define ZVR2MXX_VBB_SHORT_PD_SHIFT       (3U)
#define ZVR2MXX_OL_OFF_PU_MASK           (0x0010U)
#define ZVR2MXX_OL_OFF_PU_SHIFT          (4U)
#define ZVR2MXX_OL_PU_CURRENT_MASK       (0x0060U)
#define ZVR2MXX_OL_PU_CURRENT_SHIFT      (5U)
#define ZVR2MXX_OL_BLANK_MASK            (0x0180U)
#define ZVR2MXX_OL_BLANK_SHIFT           (7U)
#define ZVR2MXX_OL_SCALE_MASK            (0x0200U)
#define ZVR2MXX_OL_SCALE_SHIFT           (9U)
#define ZVR2MXX_ADC_SCALE_MASK           (0x0400U)  /* 1x, 8x */
#define ZVR2MXX_ADC_SCALE_SHIFT          (10U)
#define ZVR2MXX_CH_ILOAD_ADC_DIS_MASK    (0x2000U)  /* 0 = sampled */
#define ZVR2MXX_CH_ILOAD_ADC_DIS_SHIFT   (13U)
#define ZVR2MXX_CH_VDS_ADC_DIS_MASK      (0x4000U)
#define ZVR2MXX_CH_VDS_ADC_DIS_SHIFT     (14U)
#define ZVR2MXX_CH_VOUT_ADC_DIS_MASK     (0x8000U)
#define ZVR2MXX_CH_VOUT_ADC_DIS_SHIFT    (15U)

/* I2T_CONFIG_CH1 / I2T_CONFIG_CH2 */
#define ZVR2MXX_NOM_CUR_MASK             (0x0007U)  /* nominal current index */
#define ZVR2MXX_NOM_CUR_SHIFT            (0U)
#define ZVR2MXX_I2T_TRIP_MASK            (0x0078U)  /* I2T trip energy index */
#define ZVR2MXX_I2T_TRIP_SHIFT           (3U)
#define ZVR2MXX_ISWCL_MASK               (0x0180U)  /* software current limit index */
#define ZVR2MXX_ISWCL_SHIFT              (7U)
#define ZVR2MXX_SWCL_DLY_MASK            (0x0600U)  /* software current limit delay index */
#define ZVR2MXX_SWCL_DLY_SHIFT           (9U)
#define ZVR2MXX_TCLDN_MASK               (0xC000U)  /* cooldown: latch, 0.8 s, 2 s, 4 s */
#define ZVR2MXX_TCLDN_SHIFT              (14U)

/* TEST_CTRL */
#define ZVR2MXX_TEST_DIGITAL_MASK        (0x001FU)
#define ZVR2MXX_TEST_DIGITAL_SHIFT       (0U)
#define ZVR2MXX_TEST_ANALOG_MASK         (0x1F00U)
#define ZVR2MXX_TEST_ANALOG_SHIFT        (8U)

#endif /* ZVR2MXX_H */
