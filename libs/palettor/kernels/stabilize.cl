// Temporal stabilization of palette indexes: small frame-to-frame changes
// move only part of the way, larger ones pass at once. `last` keeps each
// pixel's value times 16.
#pragma OPENCL FP_CONTRACT OFF

uchar shake_pixel(int pixel, int first_frame, global ushort* last, global const short* step,
                  global const short* remember)
{
    if (first_frame) {
        *last = (ushort)(pixel * 16);
        return (uchar)pixel;
    }
    int remembered = *last;
    int e = pixel - remembered / 16;
    int out = (remembered + step[e + 255]) / 16;
    int next = remembered + remember[e + 255];
    *last = (ushort)clamp(next, 0, 65535);
    return (uchar)clamp(out, 0, 255);
}

kernel void prevent_shake(global const uchar* in, int width, int height, int first_frame, global ushort* last,
                          global const short* step, global const short* remember, global uchar* out)
{
    int x = get_global_id(0);
    int y = get_global_id(1);
    if (x >= width || y >= height) {
        return;
    }
    int i = y * width + x;
    out[i] = shake_pixel(in[i], first_frame, &last[i], step, remember);
}
