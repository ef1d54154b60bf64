// OpenCL path of the filter engine. The context, program and constant tables
// are made by the first engine and released by the last; every engine has its
// own queue, kernels and picture buffers, so engines on different threads do
// not share kernel arguments.
#define CL_TARGET_OPENCL_VERSION 120
#include "sharpen_blur.h"

#include "logline.h"

#include <CL/cl.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace palettor::detail {

extern const char* const kFilterKernelSource;

namespace {

const char kModule[] = "image_process";
const char kInit[] = "ImageSharpenBlur::init_opencl";
const char kFrame[] = "ImageSharpenBlur::sharpen_data_opencl";
const char kShakeFrame[] = "ImageSharpenBlur::image_stabilizatioin_opencl";
constexpr cl_uint kMaxPlatforms = 5;

#define CL_LOG(function, ...) logline_print(4, kModule, __FILE__, __LINE__, function, __VA_ARGS__)

// The opt-in variable lets a CPU device (e.g. PoCL) serve when no GPU exists.
bool any_device_allowed()
{
    const char* value = std::getenv("PYRAVUE_OPENCL_DEVICE");
    return value != nullptr && std::strcmp(value, "any") == 0;
}

struct Shared {
    int users = 0;
    cl_device_id device = nullptr;
    cl_context context = nullptr;
    cl_program program = nullptr;
    cl_mem depth = nullptr;
    cl_mem range_weight = nullptr;
    cl_mem product = nullptr;
};

std::mutex g_shared_mutex;
Shared g_shared;

void release_shared()
{
    if (g_shared.depth) clReleaseMemObject(g_shared.depth);
    if (g_shared.range_weight) clReleaseMemObject(g_shared.range_weight);
    if (g_shared.product) clReleaseMemObject(g_shared.product);
    if (g_shared.program) clReleaseProgram(g_shared.program);
    if (g_shared.context) clReleaseContext(g_shared.context);
    g_shared = Shared();
}

bool probe_device(cl_device_id* out)
{
    cl_uint count = 0;
    cl_int err = clGetPlatformIDs(0, nullptr, &count);
    if (err != CL_SUCCESS || count == 0) {
        CL_LOG(kInit, "clGetPlatformIDs() get plat number failed. (%d)\n", err);
        return false;
    }
    cl_platform_id platforms[kMaxPlatforms];
    if (count > kMaxPlatforms) {
        count = kMaxPlatforms;
    }
    err = clGetPlatformIDs(count, platforms, nullptr);
    if (err != CL_SUCCESS) {
        CL_LOG(kInit, "clGetPlatformIDs() failed. (%d)\n", err);
        return false;
    }
    for (cl_uint i = 0; i < count; ++i) {
        if (clGetDeviceIDs(platforms[i], CL_DEVICE_TYPE_GPU, 1, out, nullptr) == CL_SUCCESS) {
            return true;
        }
    }
    if (any_device_allowed()) {
        for (cl_uint i = 0; i < count; ++i) {
            if (clGetDeviceIDs(platforms[i], CL_DEVICE_TYPE_ALL, 1, out, nullptr) == CL_SUCCESS) {
                return true;
            }
        }
    }
    return false;
}

// The platforms and their devices do not change while the process runs, and
// asking the runtime loads its drivers again every time: each answer (GPU
// only, or any device) is looked up once. Called under g_shared_mutex.
bool find_device(cl_device_id* out)
{
    struct Answer {
        bool known = false;
        bool found = false;
        cl_device_id device = nullptr;
    };
    static Answer answers[2];
    Answer& answer = answers[any_device_allowed() ? 1 : 0];
    if (!answer.known) {
        answer.found = probe_device(&answer.device);
        answer.known = true;
    }
    *out = answer.device;
    return answer.found;
}

cl_mem make_table(const void* data, size_t bytes, cl_int* err)
{
    return clCreateBuffer(g_shared.context, CL_MEM_READ_ONLY | CL_MEM_COPY_HOST_PTR, bytes, const_cast<void*>(data), err);
}

bool init_shared()
{
    cl_device_id device = nullptr;
    if (!find_device(&device)) {
        return false;
    }
    cl_int err = CL_SUCCESS;
    g_shared.device = device;
    g_shared.context = clCreateContext(nullptr, 1, &device, nullptr, nullptr, &err);
    if (err != CL_SUCCESS) {
        CL_LOG(kInit, "clCreateContext() failed. (%d)\n", err);
        return false;
    }
    const char* source = kFilterKernelSource;
    g_shared.program = clCreateProgramWithSource(g_shared.context, 1, &source, nullptr, &err);
    if (err != CL_SUCCESS) {
        CL_LOG(kInit, "clCreateProgramWithSource() failed. (%d)\n", err);
        return false;
    }
    err = clBuildProgram(g_shared.program, 1, &device, "", nullptr, nullptr);
    if (err != CL_SUCCESS) {
        char log[2048] = {0};
        clGetProgramBuildInfo(g_shared.program, device, CL_PROGRAM_BUILD_LOG, sizeof(log) - 1, log, nullptr);
        CL_LOG(kInit, "clBuildProgram() failed.\n");
        CL_LOG(kInit, "Log:\n%s\n", log);
        return false;
    }
    const FilterTables& t = filter_tables();
    g_shared.depth = make_table(t.depth, sizeof(t.depth), &err);
    if (err == CL_SUCCESS) {
        g_shared.range_weight = make_table(t.range_weight, sizeof(t.range_weight), &err);
    }
    if (err == CL_SUCCESS) {
        g_shared.product = make_table(t.product.data(), t.product.size() * sizeof(int32_t), &err);
    }
    if (err != CL_SUCCESS) {
        CL_LOG(kInit, "clCreateBuffer() failed for the filter tables. (%d)\n", err);
        return false;
    }
    return true;
}

bool acquire_shared()
{
    std::lock_guard<std::mutex> guard(g_shared_mutex);
    if (g_shared.users == 0 && !init_shared()) {
        release_shared();
        return false;
    }
    ++g_shared.users;
    return true;
}

void release_user()
{
    std::lock_guard<std::mutex> guard(g_shared_mutex);
    if (--g_shared.users == 0) {
        release_shared();
    }
}

// Local size from the kernel's preferred work-group multiple, kept within the
// kernel's and device's limit.
void local_size(cl_kernel kernel, size_t local[2])
{
    size_t multiple = 1, limit = 1;
    clGetKernelWorkGroupInfo(kernel, g_shared.device, CL_KERNEL_PREFERRED_WORK_GROUP_SIZE_MULTIPLE,
                             sizeof(multiple), &multiple, nullptr);
    clGetKernelWorkGroupInfo(kernel, g_shared.device, CL_KERNEL_WORK_GROUP_SIZE, sizeof(limit), &limit, nullptr);
    if (multiple <= 16) {
        local[0] = local[1] = 4;
    } else if (multiple <= 256) {
        local[0] = 16;
        local[1] = multiple / 16;
    } else if (multiple <= 1024) {
        local[0] = multiple / 16;
        local[1] = 16;
    } else {
        local[0] = local[1] = multiple / 32;
    }
    while (local[0] * local[1] > limit && (local[0] > 1 || local[1] > 1)) {
        if (local[0] >= local[1]) {
            local[0] = (local[0] + 1) / 2;
        } else {
            local[1] = (local[1] + 1) / 2;
        }
    }
}

size_t round_up(size_t value, size_t step)
{
    return (value + step - 1) / step * step;
}

// Sets a kernel's arguments in order and returns the first failure.
template <class... Args>
cl_int set_args(cl_kernel kernel, const char* kernel_name, const char* function, const Args&... args)
{
    cl_uint index = 0;
    cl_int err = CL_SUCCESS;
    ((err = err == CL_SUCCESS ? clSetKernelArg(kernel, index++, sizeof(Args), &args) : err), ...);
    if (err != CL_SUCCESS) {
        CL_LOG(function, "clSetKernelArg() failed for %s kernel argument %u. (%d)\n", kernel_name, index - 1, err);
    }
    return err;
}

// Runs a kernel with one work item a pixel, the global size rounded up to
// whole work groups.
cl_int run_2d(cl_command_queue queue, cl_kernel kernel, const size_t local[2], int width, int height,
              const char* kernel_name, const char* function)
{
    const size_t global[2] = {round_up(static_cast<size_t>(width), local[0]),
                              round_up(static_cast<size_t>(height), local[1])};
    const cl_int err = clEnqueueNDRangeKernel(queue, kernel, 2, nullptr, global, local, 0, nullptr, nullptr);
    if (err != CL_SUCCESS) {
        CL_LOG(function, "clEnqueueNDRangeKernel() failed for %s kernel. (%d)\n", kernel_name, err);
    }
    return err;
}

}  // namespace

namespace {

int probe_cpu_compute_units()
{
    cl_uint count = 0;
    if (clGetPlatformIDs(0, nullptr, &count) != CL_SUCCESS || count == 0) {
        return 4;
    }
    cl_platform_id platforms[kMaxPlatforms];
    if (count > kMaxPlatforms) {
        count = kMaxPlatforms;
    }
    if (clGetPlatformIDs(count, platforms, nullptr) != CL_SUCCESS) {
        return 4;
    }
    for (cl_uint i = 0; i < count; ++i) {
        cl_device_id device = nullptr;
        if (clGetDeviceIDs(platforms[i], CL_DEVICE_TYPE_CPU, 1, &device, nullptr) == CL_SUCCESS) {
            cl_uint units = 0;
            if (clGetDeviceInfo(device, CL_DEVICE_MAX_COMPUTE_UNITS, sizeof(units), &units, nullptr) == CL_SUCCESS &&
                units > 0) {
                return static_cast<int>(units);
            }
            return 4;
        }
    }
    return 4;
}

}  // namespace

int opencl_cpu_compute_units()
{
    static const int units = probe_cpu_compute_units();  // looked up once, as find_device
    return units;
}

enum KernelId { kSobel, kSharpen, kBlur, kShake, kKernelCount };

struct OpenClEngine::State {
    cl_command_queue queue = nullptr;
    cl_kernel kernels[kKernelCount] = {};
    size_t local[kKernelCount][2] = {};
    int width = 0;
    int height = 0;
    bool history = false;
    cl_mem source = nullptr, sobel = nullptr, gauss = nullptr, sharp = nullptr, out = nullptr;
    cl_mem last = nullptr, min_max = nullptr, shifts = nullptr, step = nullptr, remember = nullptr;
    uint32_t shake_version = 0;
    int shifts_for = -1;  // stabilization flag the shifts buffer holds

    void release_planes()
    {
        for (cl_mem* m : {&source, &sobel, &gauss, &sharp, &out, &last}) {
            if (*m) {
                clReleaseMemObject(*m);
                *m = nullptr;
            }
        }
        width = height = 0;
        history = false;
    }

    ~State()
    {
        release_planes();
        for (cl_mem m : {min_max, shifts, step, remember}) {
            if (m) clReleaseMemObject(m);
        }
        for (cl_kernel k : kernels) {
            if (k) clReleaseKernel(k);
        }
        if (queue) clReleaseCommandQueue(queue);
    }

    bool planes(int w, int h)
    {
        if (w == width && h == height) {
            return true;
        }
        release_planes();
        const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
        cl_int err = CL_SUCCESS;
        for (cl_mem* m : {&source, &sobel, &gauss, &sharp, &out}) {
            *m = clCreateBuffer(g_shared.context, CL_MEM_READ_WRITE, n, nullptr, &err);
            if (err != CL_SUCCESS) {
                release_planes();
                return false;
            }
        }
        last = clCreateBuffer(g_shared.context, CL_MEM_READ_WRITE, n * sizeof(uint16_t), nullptr, &err);
        if (err != CL_SUCCESS) {
            release_planes();
            return false;
        }
        width = w;
        height = h;
        return true;
    }
};

std::unique_ptr<OpenClEngine> OpenClEngine::create()
{
    if (!acquire_shared()) {
        return nullptr;
    }
    auto state = std::make_unique<State>();
    cl_int err = CL_SUCCESS;
    state->queue = clCreateCommandQueue(g_shared.context, g_shared.device, CL_QUEUE_PROFILING_ENABLE, &err);
    if (err != CL_SUCCESS) {
        CL_LOG(kInit, "clCreateCommandQueue() failed. (%d)\n", err);
        state.reset();
        release_user();
        return nullptr;
    }
    static const char* const kNames[kKernelCount] = {"calc_sobel", "sharpen_data", "blur_data", "prevent_shake"};
    for (int k = 0; k < kKernelCount; ++k) {
        state->kernels[k] = clCreateKernel(g_shared.program, kNames[k], &err);
        if (err != CL_SUCCESS) {
            CL_LOG(kInit, "clCreateKernel() failed creating kernel void %s(). (%d)\n", kNames[k], err);
            state.reset();
            release_user();
            return nullptr;
        }
        local_size(state->kernels[k], state->local[k]);
    }
    state->min_max = clCreateBuffer(g_shared.context, CL_MEM_READ_WRITE, 2 * sizeof(cl_int), nullptr, &err);
    if (err == CL_SUCCESS) {
        state->shifts = clCreateBuffer(g_shared.context, CL_MEM_READ_ONLY, 25 * sizeof(cl_int), nullptr, &err);
    }
    if (err == CL_SUCCESS) {
        state->step = clCreateBuffer(g_shared.context, CL_MEM_READ_ONLY, kDiffCount * sizeof(int16_t), nullptr, &err);
    }
    if (err == CL_SUCCESS) {
        state->remember = clCreateBuffer(g_shared.context, CL_MEM_READ_ONLY, kDiffCount * sizeof(int16_t), nullptr, &err);
    }
    if (err != CL_SUCCESS) {
        CL_LOG(kInit, "clCreateBuffer() failed. (%d)\n", err);
        state.reset();
        release_user();
        return nullptr;
    }
    return std::unique_ptr<OpenClEngine>(new OpenClEngine(std::move(state)));
}

OpenClEngine::OpenClEngine(std::unique_ptr<State> state) : state_(std::move(state)) {}

OpenClEngine::~OpenClEngine()
{
    state_.reset();
    release_user();
}

bool OpenClEngine::has_history(int width, int height) const
{
    return state_->history && state_->width == width && state_->height == height;
}

bool OpenClEngine::run(uint8_t* plane, int width, int height, int strength, bool stabilization, bool first_frame,
                       bool blur)
{
    State& s = *state_;
    const char* function = blur ? kFrame : kShakeFrame;
    if (!s.planes(width, height)) {
        CL_LOG(function, "clCreateBuffer() failed for a %d x %d picture\n", width, height);
        return false;
    }
    const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
    cl_int err = clEnqueueWriteBuffer(s.queue, s.source, CL_FALSE, 0, n, plane, 0, nullptr, nullptr);

    const ShakeTables shake = stabilization_tables();
    if (err == CL_SUCCESS && shake.version != s.shake_version) {
        err = clEnqueueWriteBuffer(s.queue, s.step, CL_TRUE, 0, sizeof(shake.step), shake.step, 0, nullptr, nullptr);
        if (err == CL_SUCCESS) {
            err = clEnqueueWriteBuffer(s.queue, s.remember, CL_TRUE, 0, sizeof(shake.remember), shake.remember, 0,
                                       nullptr, nullptr);
        }
        if (err == CL_SUCCESS) {
            s.shake_version = shake.version;
        }
    }
    const cl_int first = first_frame ? 1 : 0;
    const cl_int stab = stabilization ? 1 : 0;
    const cl_int w = width, h = height;
    std::vector<uint8_t> result(n);

    if (err == CL_SUCCESS && !blur) {
        cl_kernel k = s.kernels[kShake];
        err = set_args(k, "g_prevent_shake_kernel", function, s.source, w, h, first, s.last, s.step, s.remember, s.out);
        if (err == CL_SUCCESS) {
            err = run_2d(s.queue, k, s.local[kShake], width, height, "g_prevent_shake_kernel", function);
        }
    } else if (err == CL_SUCCESS) {
        if (s.shifts_for != stab) {
            int32_t shifts[25];
            blur_shifts(stabilization, shifts);
            err = clEnqueueWriteBuffer(s.queue, s.shifts, CL_TRUE, 0, sizeof(shifts), shifts, 0, nullptr, nullptr);
            s.shifts_for = err == CL_SUCCESS ? stab : -1;
        }
        const cl_int reset[2] = {255, 0};
        if (err == CL_SUCCESS) {
            err = clEnqueueWriteBuffer(s.queue, s.min_max, CL_TRUE, 0, sizeof(reset), reset, 0, nullptr, nullptr);
        }
        if (err == CL_SUCCESS) {
            cl_kernel k = s.kernels[kSobel];
            err = set_args(k, "g_sobel_kernel", function, s.source, w, h, s.sobel, s.gauss, s.min_max);
            if (err == CL_SUCCESS) {
                err = run_2d(s.queue, k, s.local[kSobel], width, height, "g_sobel_kernel", function);
            }
        }
        if (err == CL_SUCCESS) {
            const cl_int strength_arg = strength;
            cl_kernel k = s.kernels[kSharpen];
            err = set_args(k, "g_sharpen_data_kernel", function, s.source, s.sobel, s.gauss, s.min_max,
                           g_shared.depth, w, h, strength_arg, s.sharp);
            const size_t global1 = n;
            if (err == CL_SUCCESS) {
                err = clEnqueueNDRangeKernel(s.queue, k, 1, nullptr, &global1, nullptr, 0, nullptr, nullptr);
                if (err != CL_SUCCESS) {
                    CL_LOG(function, "clEnqueueNDRangeKernel() failed for g_sharpen_data_kernel kernel. (%d)\n", err);
                }
            }
        }
        if (err == CL_SUCCESS) {
            cl_kernel k = s.kernels[kBlur];
            err = set_args(k, "g_blur_data_kernel", function, s.sharp, w, h, g_shared.range_weight, g_shared.product,
                           s.shifts, stab, first, s.last, s.step, s.remember, s.out);
            if (err == CL_SUCCESS) {
                err = run_2d(s.queue, k, s.local[kBlur], width, height, "g_blur_data_kernel", function);
            }
        }
    }
    if (err == CL_SUCCESS) {
        err = clEnqueueReadBuffer(s.queue, s.out, CL_TRUE, 0, n, result.data(), 0, nullptr, nullptr);
    }
    if (err != CL_SUCCESS) {
        // The queue may still hold work that touches the planes; drain it so
        // the next frame starts clean, and forget the remembered frame.
        clFinish(s.queue);
        s.history = false;
        return false;
    }
    std::memcpy(plane, result.data(), n);
    if (stabilization) {
        s.history = true;
    }
    return true;
}

}  // namespace palettor::detail
