#include "board.h"
#include "drivers.h"
#include "uart.h"

#define UART_DATA   REG32(BOARD_UART0_BASE + 0x00u)
#define UART_STATUS REG32(BOARD_UART0_BASE + 0x04u)
#define UART_BAUD   REG32(BOARD_UART0_BASE + 0x08u)
#define UART_TX_READY 0x1u

static uint8_t rx_buffer[UART_RX_BUFFER];
static volatile uint32_t rx_head;
static volatile uint32_t rx_tail;

void uart_init(uint32_t baud)
{
    UART_BAUD = F_CPU / (16u * baud);
    rx_head = 0u;
    rx_tail = 0u;
}

int uart_write(const uint8_t *data, uint32_t length)
{
    for (uint32_t i = 0u; i < length; i++) {
        while ((UART_STATUS & UART_TX_READY) == 0u) {
        }
        UART_DATA = data[i];
    }
    return (int)length;
}

void uart_rx_push(uint8_t byte)
{
    uint32_t next = (rx_head + 1u) % UART_RX_BUFFER;
    if (next != rx_tail) {
        rx_buffer[rx_head] = byte;
        rx_head = next;
    }
}

int uart_read_byte(uint8_t *byte)
{
    if (rx_tail == rx_head) {
        return 0;
    }
    *byte = rx_buffer[rx_tail];
    rx_tail = (rx_tail + 1u) % UART_RX_BUFFER;
    return 1;
}
