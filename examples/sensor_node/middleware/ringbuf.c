#include "ringbuf.h"

void ringbuf_init(ringbuf_t *rb, uint8_t *storage, uint32_t size)
{
    rb->data = storage;
    rb->size = size;
    rb->head = 0u;
    rb->tail = 0u;
}

int ringbuf_put(ringbuf_t *rb, uint8_t byte)
{
    uint32_t next = (rb->head + 1u) % rb->size;
    if (next == rb->tail) {
        return 0;
    }
    rb->data[rb->head] = byte;
    rb->head = next;
    return 1;
}

int ringbuf_get(ringbuf_t *rb, uint8_t *byte)
{
    if (rb->tail == rb->head) {
        return 0;
    }
    *byte = rb->data[rb->tail];
    rb->tail = (rb->tail + 1u) % rb->size;
    return 1;
}
