/* Radio frames: start byte, length, payload, CRC-16 (CCITT) of length and payload. */
#ifndef FRAME_H
#define FRAME_H

#include <stdint.h>

#define FRAME_START 0x7Eu

uint16_t crc16_ccitt(const uint8_t *data, uint32_t length);
uint32_t frame_encode(const uint8_t *payload, uint8_t length, uint8_t *out, uint32_t capacity);

#endif
