#ifndef APP_H
#define APP_H

#ifndef APP_VERSION
#error "the application's project must define APP_VERSION"
#endif

#include <stdint.h>

#define APP_SAMPLE_PERIOD_MS 1000u

void sensor_task(uint32_t now_ms);
void comms_task(uint32_t now_ms);

#endif
