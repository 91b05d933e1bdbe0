#include "board.h"
#include "drivers.h"
#include "adc.h"

void adc_init(void)
{
    REG32(BOARD_ADC_BASE + ADC_CONTROL_OFFSET) = 0u;
}

uint16_t adc_read(uint32_t channel)
{
    if (channel >= ADC_CHANNELS) {
        return 0u;
    }
    REG32(BOARD_ADC_BASE + ADC_CONTROL_OFFSET) = (channel << 4) | ADC_START;
    while ((REG32(BOARD_ADC_BASE + ADC_CONTROL_OFFSET) & ADC_BUSY) != 0u) {
    }
    return (uint16_t)(REG32(BOARD_ADC_BASE + ADC_RESULT_OFFSET) & 0x0FFFu);
}
