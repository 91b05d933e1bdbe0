#include "app.h"
#include "drivers.h"
#include "frame.h"
#include "tasks.h"

void comms_task(uint32_t now_ms)
{
    uint8_t payload[2u * ADC_CHANNELS];
    uint8_t frame[PROTO_MAX_FRAME + 4u];
    (void)now_ms;
    if (tasks_sample_ready == 0u) {
        return;
    }
    tasks_sample_ready = 0u;
    for (uint32_t channel = 0u; channel < ADC_CHANNELS; channel++) {
        payload[2u * channel] = (uint8_t)(tasks_last_sample[channel] >> 8);
        payload[2u * channel + 1u] = (uint8_t)(tasks_last_sample[channel] & 0xFFu);
    }
    uint32_t length = frame_encode(payload, (uint8_t)sizeof payload, frame, sizeof frame);
    if (length != 0u) {
        (void)uart_write(frame, length);
    }
}
