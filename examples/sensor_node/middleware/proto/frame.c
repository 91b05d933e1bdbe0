#include "frame.h"

uint32_t frame_encode(const uint8_t *payload, uint8_t length, uint8_t *out, uint32_t capacity)
{
    uint32_t needed = (uint32_t)length + 4u;
    if (length > PROTO_MAX_FRAME || needed > capacity) {
        return 0u;
    }
    out[0] = FRAME_START;
    out[1] = length;
    for (uint32_t i = 0u; i < length; i++) {
        out[2u + i] = payload[i];
    }
    uint16_t crc = crc16_ccitt(&out[1], (uint32_t)length + 1u);
    out[2u + length] = (uint8_t)(crc >> 8);
    out[3u + length] = (uint8_t)(crc & 0xFFu);
    return needed;
}

int frame_queue(ringbuf_t *tx, const uint8_t *frame, uint32_t length)
{
    uint32_t free_slots = (tx->tail + tx->size - tx->head - 1u) % tx->size;
    if (length > free_slots) {
        return 0;
    }
    for (uint32_t i = 0u; i < length; i++) {
        (void)ringbuf_put(tx, frame[i]);
    }
    return 1;
}
