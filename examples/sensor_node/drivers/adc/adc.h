#ifndef ADC_H
#define ADC_H

#define ADC_CONTROL_OFFSET 0x00u
#define ADC_RESULT_OFFSET  0x04u
#define ADC_START          0x1u
#define ADC_BUSY           0x2u

#endif
