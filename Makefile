# Two entry points for users: `make run` and `make test`. Both install what is
# missing first (scripts/setup.sh), so they work on a fresh Debian 12 machine.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run test install bench clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@bash scripts/test.sh $(BUILD)

install: build
	@cmake --install $(BUILD) --prefix $${PREFIX:-/opt/kestrelview}

bench: build
	@bash scripts/bench.sh $(BUILD)

clean:
	@rm -rf $(BUILD) build-*
