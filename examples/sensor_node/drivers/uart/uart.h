#ifndef UART_H
#define UART_H

#include <stdint.h>

void uart_rx_push(uint8_t byte);

#endif
