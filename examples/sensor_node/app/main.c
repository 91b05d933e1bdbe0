#include "app.h"
#include "board.h"
#include "drivers.h"

int main(void)
{
    board_init();
    for (;;) {
        uint32_t now = clock_ticks();
        sensor_task(now);
        comms_task(now);
    }
}
