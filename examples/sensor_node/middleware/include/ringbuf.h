/* A byte ring buffer with one slot kept free to tell full from empty. */
#ifndef RINGBUF_H
#define RINGBUF_H

#include <stdint.h>

typedef struct {
    uint8_t *data;
    uint32_t size;
    uint32_t head;
    uint32_t tail;
} ringbuf_t;

void ringbuf_init(ringbuf_t *rb, uint8_t *storage, uint32_t size);
int ringbuf_put(ringbuf_t *rb, uint8_t byte);
int ringbuf_get(ringbuf_t *rb, uint8_t *byte);

#endif
