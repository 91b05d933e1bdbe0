/* Radio frames: start byte, length, payload, CRC-16 (CCITT) of length and payload. */
#ifndef FRAME_H
#define FRAME_H

#include <stdint.h>

#include "ringbuf.h"

/* The largest payload in bytes; the protocol library's project file sets it. */
#ifndef PROTO_MAX_FRAME
#define PROTO_MAX_FRAME 64
#endif

#define FRAME_START 0x7Eu

uint16_t crc16_ccitt(const uint8_t *data, uint32_t length);
uint32_t frame_encode(const uint8_t *payload, uint8_t length, uint8_t *out, uint32_t capacity);
/* Queues a whole encoded frame for sending, or nothing when it does not fit; returns 1 when queued. */
int frame_queue(ringbuf_t *tx, const uint8_t *frame, uint32_t length);

#endif
