#include "board.h"
#include "drivers.h"

void board_init(void)
{
    clock_init(F_CPU);
    gpio_configure_output(BOARD_LED_PIN);
    gpio_configure_output(BOARD_RADIO_EN_PIN);
    gpio_write(BOARD_RADIO_EN_PIN, 1u);
    uart_init(115200u);
    adc_init();
}
