# Sourced by test.sh: a real print queue for the print tests, a CUPS file
# queue whose output the tests read back. Each run makes a queue of its own
# name (KVR_TEST_PRINT_QUEUE tells the tests) and removes only that one, so
# runs side by side on one CUPS server leave each other's queues alone.
# Without CUPS the tests that need it are skipped.
kvr_queue=
kvr_queue_dir=
kvr_cupsd_pid=

kvr_stop_print_queue() {
  if [ -n "$kvr_queue" ]; then
    lpadmin -x "$kvr_queue" >/dev/null 2>&1 || true
    kvr_queue=
  fi
  # The scheduler this run started ends with it, unless another run's queue
  # still needs it.
  if [ -n "$kvr_cupsd_pid" ]; then
    if ! lpstat -p 2>/dev/null | grep -q '^printer KVRTEST-'; then
      kill "$kvr_cupsd_pid" 2>/dev/null || true
    fi
    kvr_cupsd_pid=
  fi
  if [ -n "$kvr_queue_dir" ]; then
    rm -rf "$kvr_queue_dir"
    kvr_queue_dir=
  fi
}

kvr_start_print_queue() {
  command -v lpadmin >/dev/null && [ -x /usr/sbin/cupsd ] || return 1
  # File queues are off by default.
  sed -i 's/^#\?FileDevice .*/FileDevice Yes/' /etc/cups/cups-files.conf 2>/dev/null || return 1
  kvr_queue_dir=$(mktemp -d "${TMPDIR:-/tmp}/kvr-print-XXXXXXXX") || return 1
  chmod 777 "$kvr_queue_dir"
  if ! lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; then
    setsid /usr/sbin/cupsd -f </dev/null >"$kvr_queue_dir/cupsd.log" 2>&1 &
    kvr_cupsd_pid=$!
    for _ in $(seq 100); do
      lpstat -r 2>/dev/null | grep -qx 'scheduler is running' && break
      sleep 0.1
    done
  fi
  # The folder's random part names the queue; a name the server already
  # knows is never taken over.
  local name="KVRTEST-${kvr_queue_dir##*-}"
  if lpstat -p "$name" >/dev/null 2>&1; then
    return 1
  fi
  lpadmin -p "$name" -E -v "file://$kvr_queue_dir/queue.out" -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd \
    -o printer-is-shared=false >/dev/null 2>&1 || return 1
  kvr_queue=$name
  export KVR_TEST_PRINT_QUEUE="$kvr_queue" KVR_TEST_PRINT_OUTPUT="$kvr_queue_dir/queue.out"
}
