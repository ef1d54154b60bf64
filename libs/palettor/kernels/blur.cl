// Edge-preserving blur: a 5x5 mean weighted by closeness in value (and, with
// stabilization on, by closeness in place), then the stabilization step.
#pragma OPENCL FP_CONTRACT OFF

kernel void blur_data(global const uchar* s, int w, int h, global const int* range_weight,
                      global const int* product, global const int* shifts, int stabilize, int first_frame,
                      global ushort* last, global const short* step, global const short* remember,
                      global uchar* out)
{
    int x = get_global_id(0);
    int y = get_global_id(1);
    if (x >= w || y >= h) {
        return;
    }
    int i = y * w + x;
    int value = s[i];
    if (x >= 2 && y >= 2 && x < w - 2 && y < h - 2) {
        int num = 0;
        int den = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                int n = s[i + dy * w + dx];
                int d = n - value + 255;
                int shift = shifts[(dy + 2) * 5 + dx + 2];
                num += product[n * 511 + d] << shift;
                den += range_weight[d] << shift;
            }
        }
        value = num / den;
    }
    out[i] = stabilize ? shake_pixel(value, first_frame, &last[i], step, remember) : (uchar)value;
}
