/* Public interface of the SN-200 peripheral drivers. */
#ifndef DRIVERS_H
#define DRIVERS_H

#include <stdint.h>

/* Channels that adc_read() serves. */
#ifndef ADC_CHANNELS
#define ADC_CHANNELS 4
#endif

void clock_init(uint32_t core_hz);
uint32_t clock_ticks(void);

void gpio_configure_output(uint32_t pin);
void gpio_write(uint32_t pin, uint32_t level);

void uart_init(uint32_t baud);
int uart_write(const uint8_t *data, uint32_t length);
int uart_read_byte(uint8_t *byte);

void adc_init(void);
uint16_t adc_read(uint32_t channel);

#endif
