# Thin front end over CMake + Ninja. `make demo` and `make test` do all set-up.
BUILD   ?= build
ASAN    ?= build-asan
BENCHB  ?= build-bench
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all setup build demo test test-fast test-asan bench install clean

all: build

setup:
	@bash scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

demo: build
	@$(BUILD)/examples/veks_demo $(BUILD)/spectrum.svg

# Every test, in the release build and again under ASan + UBSan.
test: test-fast test-asan

test-fast: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: setup
	@cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEKS_SANITIZE=ON \
	  -DVEKS_BUILD_EXAMPLES=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	@ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS)

bench: setup
	@bash scripts/install_peers.sh
	@cmake -S . -B $(BENCHB) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEKS_BUILD_BENCHMARKS=ON \
	  -DVEKS_BUILD_TESTS=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BENCHB) -j $(JOBS)
	@python3 scripts/bench_table.py $(BENCHB)/bench/bench "$(BENCH_FILTER)"

install: build
	@cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD) $(ASAN) $(BENCHB)
