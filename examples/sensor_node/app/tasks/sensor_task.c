#include "app.h"
#include "board.h"
#include "drivers.h"
#include "tasks.h"

uint16_t tasks_last_sample[ADC_CHANNELS];
volatile uint32_t tasks_sample_ready;

void sensor_task(uint32_t now_ms)
{
    static uint32_t next_ms;
    if ((int32_t)(now_ms - next_ms) < 0) {
        return;
    }
    next_ms = now_ms + APP_SAMPLE_PERIOD_MS;
    for (uint32_t channel = 0u; channel < ADC_CHANNELS; channel++) {
        tasks_last_sample[channel] = adc_read(channel);
    }
    tasks_sample_ready = 1u;
    gpio_write(BOARD_LED_PIN, now_ms & 1u);
}
