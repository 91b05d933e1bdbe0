/* A byte ring buffer with one slot kept free to tell full from empty. */
#ifndef RINGBUF_H
#define RINGBUF_H

#include <stdint.h>

/* Head and tail are updated by an interrupt on one side and the main loop on the other, which
   is safe only where 32-bit stores are atomic, as on the SN-200's Cortex-M4. */
#ifndef BOARD_SN200
#error "ringbuf.h has been checked on the SN-200 only; the project must define BOARD_SN200"
#endif

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
