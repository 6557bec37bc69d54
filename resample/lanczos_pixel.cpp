#include "resample/lanczos_pixel.h"

#include "resample/kernels.h"

namespace quilmo {

TLanczosProducts NormalisedProducts(const TLanczosTaps& column, const TLanczosTaps& row)
{
    float total;
    LanczosTotal(column.W, row.W, total);
    TLanczosProducts products;
    for (int j = 0; j < kLanczosTaps; ++j)
        for (int k = 0; k < kLanczosTaps; ++k) products.Q[j][k] = column.W[k] * row.W[j] / total;
    return products;
}

uint8_t DefinedLanczosChannel(const TLanczosProducts& products, const TLanczosTaps& column,
                              const uint8_t* const rows[kLanczosTaps], int channel)
{
    float sum = 0;
    for (int j = 0; j < kLanczosTaps; ++j) {
        long double s = sum;
        for (int k = 0; k < kLanczosTaps; ++k)
            s += rows[j][3 * column.Index[k] + channel] * static_cast<long double>(products.Q[j][k]);
        sum = static_cast<float>(s);
    }
    return ClampByte(sum);
}

}  // namespace quilmo
