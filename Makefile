# Entry points for people and CI. Each first installs the Debian packages.
BUILD_TEST    ?= build
BUILD_RELEASE ?= build-release
BUILD_FUZZ    ?= build-fuzz
BUILD_TSAN    ?= build-tsan
JOBS          ?= $(shell nproc)
FUZZ_SECONDS  ?= 60
# The fuzz runs use the tests' leak suppressions and stop at the first
# undefined behaviour, as the test build does.
FUZZ_ENV = LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/lsan.supp:print_suppressions=0 \
           UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# The libraries with threads of their own, and the locks and calibration
# engine they share between threads, checked for data races; each test
# program runs whole in one process.
TSAN_TESTS = vybase_tests tempcore_tests palettor_tests palettor_filter_tests framekit_tests \
             framekit_noise_tests camlink_tests sockmesh_core_tests sockmesh_api_tests \
             streamnet_core_tests streamnet_camera_tests streamnet_api_tests
TSAN_ENV = TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/cmake/tsan.supp
# Throughput cases (a camera stream at its full frame rate) cannot keep their
# pace under ThreadSanitizer's slowdown; they check no sharing of their own.
TSAN_SKIP = *arrive_without_loss*

.PHONY: deps test bench fuzz tsan clean run

deps:
	./scripts/install-deps

test: deps
	cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPYRAVUE_SANITIZE=ON
	cmake --build $(BUILD_TEST) -j $(JOBS)
	cd $(BUILD_TEST) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_RELEASE) -j $(JOBS) --target benchmarks
	for b in $(BUILD_RELEASE)/bin/bench_*; do echo "== $$b"; $$b || exit 1; done

run: deps
	cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_RELEASE) -j $(JOBS) --target pyravue
	$(BUILD_RELEASE)/bin/pyravue

fuzz: deps
	cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPYRAVUE_FUZZ=ON
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	for m in $(BUILD_FUZZ)/bin/make_seeds_*; do $(FUZZ_ENV) $$m $(BUILD_FUZZ)/fuzz-seeds || exit 1; done
	for t in $(BUILD_FUZZ)/bin/fuzz_*; do \
	    name=$$(basename $$t); mkdir -p $(BUILD_FUZZ)/corpus/$$name; \
	    echo "== $$name"; \
	    $(FUZZ_ENV) $$t -max_total_time=$(FUZZ_SECONDS) $(BUILD_FUZZ)/corpus/$$name $(BUILD_FUZZ)/fuzz-seeds/$$name || exit 1; \
	done

tsan: deps
	cmake -S . -B $(BUILD_TSAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPYRAVUE_TSAN=ON
	cmake --build $(BUILD_TSAN) -j $(JOBS) --target $(TSAN_TESTS)
	cd $(BUILD_TSAN)/bin && for t in $(TSAN_TESTS); do echo "== $$t"; $(TSAN_ENV) ./$$t --gtest_brief=1 --gtest_filter='-$(TSAN_SKIP)' || exit 1; done

clean:
	rm -rf $(BUILD_TEST) $(BUILD_RELEASE) $(BUILD_FUZZ) $(BUILD_TSAN)
