// Edge-weighted sharpen: Sobel magnitude and 5x5 Gaussian per pixel, then
// each pixel is pushed away from its Gaussian by a depth that grows with
// the edge strength.
#pragma OPENCL FP_CONTRACT OFF

constant float gauss_weights[25] = {0.0037f, 0.0147f, 0.0256f, 0.0147f, 0.0037f,
                                    0.0147f, 0.0586f, 0.0952f, 0.0586f, 0.0147f,
                                    0.0256f, 0.0952f, 0.1502f, 0.0952f, 0.0256f,
                                    0.0147f, 0.0586f, 0.0952f, 0.0586f, 0.0147f,
                                    0.0037f, 0.0147f, 0.0262f, 0.0147f, 0.0037f};

kernel void calc_sobel(global const uchar* a, int w, int h, global uchar* sobel, global uchar* gauss,
                       global int* min_max)
{
    local int group_min;
    local int group_max;
    if (get_local_id(0) == 0 && get_local_id(1) == 0) {
        group_min = 255;
        group_max = 0;
    }
    barrier(CLK_LOCAL_MEM_FENCE);

    int x = get_global_id(0);
    int y = get_global_id(1);
    if (x < w && y < h) {
        int i = y * w + x;
        int s = 0;
        if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
            gauss[i] = a[i];
        } else {
            int hs = -a[i - w - 1] + a[i - w + 1] - 2 * a[i - 1] + 2 * a[i + 1] - a[i + w - 1] + a[i + w + 1];
            int vs = a[i - w - 1] + 2 * a[i - w] + a[i - w + 1] - a[i + w - 1] - 2 * a[i + w] - a[i + w + 1];
            s = (abs(hs) + abs(vs)) >> 3;
            if (x == 1 || y == 1 || x == w - 2 || y == h - 2) {
                gauss[i] = a[i];
            } else {
                float sum = 0.0f;
                for (int dy = -2; dy <= 2; ++dy) {
                    for (int dx = -2; dx <= 2; ++dx) {
                        sum = sum + gauss_weights[(dy + 2) * 5 + dx + 2] * (float)a[i + dy * w + dx];
                    }
                }
                gauss[i] = (uchar)min((int)sum, 255);
            }
        }
        sobel[i] = (uchar)s;
        atomic_min(&group_min, s);
        atomic_max(&group_max, s);
    }
    barrier(CLK_LOCAL_MEM_FENCE);
    if (get_local_id(0) == 0 && get_local_id(1) == 0) {
        atomic_min(&min_max[0], group_min);
        atomic_max(&min_max[1], group_max);
    }
}

// Reads `a` and writes `out`: the neighbour test must see unsharpened values.
kernel void sharpen_data(global const uchar* a, global const uchar* sobel, global const uchar* gauss,
                         global const int* min_max, global const float* depth_table, int w, int h, int strength,
                         global uchar* out)
{
    int i = get_global_id(0);
    int n = w * h;
    if (i >= n) {
        return;
    }
    int p = a[i];
    int lo = min_max[0];
    int hi = min_max[1];
    if (i == 0 || i == n - 1 || hi == lo) {
        out[i] = (uchar)p;
        return;
    }
    if (abs(p - (int)a[i - 1]) > 3 && abs(p - (int)a[i + 1]) > 3) {
        out[i] = (uchar)p;
        return;
    }
    int k = strength * 128 / 100;
    int s = (sobel[i] - lo) * 255 / (hi - lo);
    float depth = depth_table[s];
    int value = (int)(depth * (float)gauss[i]);
    float tf = (depth + 1.0f) * (float)p - (float)value;
    int tv = tf > 0.0f ? (int)tf : 0;
    out[i] = (uchar)clamp((tv * k + p * (128 - k)) >> 7, 0, 255);
}
