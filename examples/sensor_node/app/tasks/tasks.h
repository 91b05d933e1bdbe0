#ifndef TASKS_H
#define TASKS_H

#include <stdint.h>

extern uint16_t tasks_last_sample[ADC_CHANNELS];
extern volatile uint32_t tasks_sample_ready;

#endif
