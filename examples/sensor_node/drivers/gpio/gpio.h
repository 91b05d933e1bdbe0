#ifndef GPIO_H
#define GPIO_H

#define GPIO_DIR_OFFSET 0x00u
#define GPIO_OUT_OFFSET 0x04u

#endif
