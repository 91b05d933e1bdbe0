/* SN-200 board: clock, pin map and memory-mapped peripheral bases. */
#ifndef BOARD_H
#define BOARD_H

#ifndef BOARD_SN200
#error "board.h describes the SN-200; the project must define BOARD_SN200"
#endif
#ifndef F_CPU
#error "the project must define F_CPU, the core clock in Hz"
#endif

#include <stdint.h>

#define BOARD_LED_PIN      5u
#define BOARD_RADIO_EN_PIN 12u
#define BOARD_UART0_BASE   0x40004000u
#define BOARD_GPIO_BASE    0x40020000u
#define BOARD_ADC_BASE     0x40012000u

#define REG32(address) (*(volatile uint32_t *)(address))

void board_init(void);

#endif
