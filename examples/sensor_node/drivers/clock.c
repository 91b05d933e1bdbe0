#include "board.h"
#include "drivers.h"

#define SYSTICK_CTRL  REG32(0xE000E010u)
#define SYSTICK_LOAD  REG32(0xE000E014u)

static volatile uint32_t ticks;

void clock_init(uint32_t core_hz)
{
    SYSTICK_LOAD = (core_hz / 1000u) - 1u;
    SYSTICK_CTRL = 0x7u;
}

void SysTick_Handler(void)
{
    ticks++;
}

uint32_t clock_ticks(void)
{
    return ticks;
}
