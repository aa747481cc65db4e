/*
 * zvr_qdev.h - register objects of the ZVR2M dual-channel high-side switches.
 *
 * Shipped with Keldor Configurator. The configuration files the tool exports
 * ("Export" -> "Configuration Files") include this header; it brings in the
 * register numbers and bit fields of both package families:
 *   zvr2mxx.h        16-pin family (ZVR2M08, ZVR2M10, ZVR2M20)
 *   zvr2mxx_24pwp.h  18-pin family (ZVR2M05, ZVR2M07)
 *
 * Every register has an object type NAME_OBJ: the register number in `reg`
 * and its 16-bit word in `value.word`, ready to be sent over SPI:
 *
 *     for (i = 0; i < count; ++i)
 *         spi_write_register(objects[i].reg, objects[i].value.word);
 *
 * Fields are read and changed with the NAME_MASK / NAME_SHIFT pairs:
 *
 *     duty = ZVR_QDEV_FIELD_GET(cfg.pwmCh1Config.value.word, ZVR2MXX_PWM_DUTY);
 *     cfg.pwmCh1Config.value.word =
 *         ZVR_QDEV_FIELD_SET(cfg.pwmCh1Config.value.word, ZVR2MXX_PWM_DUTY, 127U);
 *
 * C99 or later; no other dependency than <stdint.h>.
 */
#ifndef ZVR_QDEV_H
#define ZVR_QDEV_H

#include <stdint.h>

/* One 16-bit register word. */
typedef union
{
    uint16_t word;
} ZVR_QDEV_VALUE;

/* The value of field FIELD (a NAME of a NAME_MASK / NAME_SHIFT pair) in a word. */
#define ZVR_QDEV_FIELD_GET(word, FIELD) \
    ((uint16_t)(((uint16_t)(word) & FIELD##_MASK) >> FIELD##_SHIFT))

/* The word with field FIELD replaced by value (bits beyond the field are dropped). */
#define ZVR_QDEV_FIELD_SET(word, FIELD, value) \
    ((uint16_t)(((uint16_t)(word) & (uint16_t)~FIELD##_MASK) | \
                (((uint16_t)(value) << FIELD##_SHIFT) & FIELD##_MASK)))

#include "zvr2mxx.h"
#include "zvr2mxx_24pwp.h"

#endif /* ZVR_QDEV_H */
