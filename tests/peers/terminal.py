# Runs a command on a terminal of its own; at its first [Yes/No] question
# presses Ctrl-C, then answers Yes. Prints what the terminal showed, progress
# bars left out, and exits with the command's status.
import os, pty, re, signal, sys
pid, fd = pty.fork()
if pid == 0:
    os.execv('/bin/sh', ['sh', '-c', 'exec ' + sys.argv[1]])
shown, asked = b'', False
while True:
    try:
        chunk = os.read(fd, 4096)
    except OSError:
        break
    if not chunk:
        break
    shown += chunk
    if not asked and b'[Yes/No] ' in shown:
        asked = True
        os.kill(pid, signal.SIGINT)
        os.write(fd, b'y\n')
text = re.sub(r'\r\x1b\[K(\[[#.]+\][^\r]*)?', '', shown.decode('utf-8', 'replace'))
sys.stdout.write(text.replace('\r\n', '\n'))
sys.exit(os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1]))
