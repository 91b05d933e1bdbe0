#include "board.h"
#include "drivers.h"
#include "gpio.h"

void gpio_configure_output(uint32_t pin)
{
    REG32(BOARD_GPIO_BASE + GPIO_DIR_OFFSET) |= (1u << pin);
}

void gpio_write(uint32_t pin, uint32_t level)
{
    if (level != 0u) {
        REG32(BOARD_GPIO_BASE + GPIO_OUT_OFFSET) |= (1u << pin);
    } else {
        REG32(BOARD_GPIO_BASE + GPIO_OUT_OFFSET) &= ~(1u << pin);
    }
}
