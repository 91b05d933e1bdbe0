#include "board.h"
#include "uart.h"

#define UART_DATA   REG32(BOARD_UART0_BASE + 0x00u)
#define UART_STATUS REG32(BOARD_UART0_BASE + 0x04u)
#define UART_RX_READY 0x2u

void UART0_IRQHandler(void)
{
    while ((UART_STATUS & UART_RX_READY) != 0u) {
        uart_rx_push((uint8_t)UART_DATA);
    }
}
