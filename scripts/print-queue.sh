# Sourced by test.sh: a real print queue for the print tests, a CUPS file
# queue whose output the tests read back. Ended with the run; without CUPS
# the tests that need it are skipped.
kvr_queue=KVRTESTQ
kvr_cupsd_pid=

kvr_stop_print_queue() {
  lpadmin -x "$kvr_queue" >/dev/null 2>&1 || true
  if [ -n "$kvr_cupsd_pid" ]; then
    kill "$kvr_cupsd_pid" 2>/dev/null || true
  fi
}

kvr_start_print_queue() {
  command -v lpadmin >/dev/null && [ -x /usr/sbin/cupsd ] || return 1
  # File queues are off by default.
  sed -i 's/^#\?FileDevice .*/FileDevice Yes/' /etc/cups/cups-files.conf 2>/dev/null || return 1
  local out
  out=$(mktemp -d) || return 1
  chmod 777 "$out"
  if ! lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; then
    setsid /usr/sbin/cupsd -f </dev/null >"$out/cupsd.log" 2>&1 &
    kvr_cupsd_pid=$!
    for _ in $(seq 100); do
      lpstat -r 2>/dev/null | grep -qx 'scheduler is running' && break
      sleep 0.1
    done
  fi
  lpadmin -p "$kvr_queue" -E -v "file://$out/queue.out" -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd \
    >/dev/null 2>&1 || return 1
  export KVR_TEST_PRINT_QUEUE="$kvr_queue" KVR_TEST_PRINT_OUTPUT="$out/queue.out"
}
