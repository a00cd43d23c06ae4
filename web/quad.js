// A textured quad drawn with our own WebGL program (quadTexture in
// src/render/EtapesImage.cpp). The emulated fixed-function GL spends far
// more script per draw than the draw itself, and each WebGL call costs the
// page's frame: this path keeps the emulation's matrices, sets blending and
// colour only when they change, and places the quad itself, so a quad costs
// a texture binding, a uniform and a draw.
//
// Handing the context back and forth: taking it, we clean up the emulation's
// last renderer and leave our program in GLImmediate.fixedFunctionProgram.
// Any emulated draw or clean-up puts its own value there, so finding ours
// still in place means our program, buffer, attribute and blending are as we
// left them.
mergeInto(LibraryManager.library, {
  $quadEtat: null,
  quadNavigateur__deps: ['$GL', '$GLImmediate', '$quadEtat'],
  quadNavigateur: function (sommets, texture, couleur) {
    var gl = GLctx;
    var e = quadEtat;
    // A new context (the video mode set again) needs a new program.
    if (!e || e.gl !== gl) {
      var programme = gl.createProgram();
      var source = function (type, texte) {
        var s = gl.createShader(type);
        gl.shaderSource(s, texte);
        gl.compileShader(s);
        gl.attachShader(programme, s);
      };
      source(gl.VERTEX_SHADER,
             // One corner of the unit square; q[0]: the first vertex and the
             // edge to the second, q[1]: the edge to the third, q[2]: the
             // texture rectangle.
             'attribute vec2 s; uniform mat4 p; uniform vec4 q[3]; varying vec2 t;' +
             'void main() { t = mix(q[2].xy, q[2].zw, s);' +
             ' gl_Position = p * vec4(q[0].xy + s.x * q[0].zw + s.y * q[1].xy, 0.0, 1.0); }');
      source(gl.FRAGMENT_SHADER,
             '#ifdef GL_FRAGMENT_PRECISION_HIGH\nprecision highp float;\n#else\nprecision mediump float;\n#endif\n' +
             'uniform sampler2D e; uniform vec4 c; varying vec2 t;' +
             'void main() { gl_FragColor = texture2D(e, t) * c; }');
      gl.bindAttribLocation(programme, 0, 's');
      gl.linkProgram(programme);
      if (!gl.getProgramParameter(programme, gl.LINK_STATUS))
        throw new Error('quadNavigateur : ' + gl.getProgramInfoLog(programme));
      e = quadEtat = {
        gl: gl,
        programme: programme,
        tampon: gl.createBuffer(),
        quad: new Float32Array(12),
        p: gl.getUniformLocation(programme, 'p'),
        q: gl.getUniformLocation(programme, 'q'),
        c: gl.getUniformLocation(programme, 'c'),
        versionP: -1,
        couleur: -1,
      };
      gl.bindBuffer(gl.ARRAY_BUFFER, e.tampon);
      gl.bufferData(gl.ARRAY_BUFFER, new Float32Array([0, 0, 1, 0, 0, 1, 1, 1]), gl.STATIC_DRAW);
      gl.useProgram(programme);
      gl.uniform1i(gl.getUniformLocation(programme, 'e'), 0);
    }
    if (GLImmediate.fixedFunctionProgram !== e.programme) {
      if (GLImmediate.lastRenderer) GLImmediate.lastRenderer.cleanup();
      gl.useProgram(e.programme);
      gl.bindBuffer(gl.ARRAY_BUFFER, e.tampon);
      gl.enableVertexAttribArray(0);
      gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 8, 0);
      gl.enable(gl.BLEND);
      gl.blendFunc(gl.SRC_ALPHA, gl.ONE_MINUS_SRC_ALPHA);
      GLImmediate.fixedFunctionProgram = e.programme;
      GLImmediate.lastArrayBuffer = null;
      GLImmediate.lastRenderer = null;
    }
    if (texture)
      gl.bindTexture(gl.TEXTURE_2D, GL.textures[texture]);
    if (couleur !== e.couleur) {
      e.couleur = couleur;
      gl.uniform4f(e.c, (couleur >>> 24) / 255, (couleur >>> 16 & 255) / 255, (couleur >>> 8 & 255) / 255,
                   (couleur & 255) / 255);
    }
    if (e.versionP !== GLImmediate.matrixVersion[1]) {
      gl.uniformMatrix4fv(e.p, false, GLImmediate.matrix[1]);
      e.versionP = GLImmediate.matrixVersion[1];
    }
    // The quad goes as one uniform array: no buffer to update, which costs
    // both processes more. The model-view matrix is applied here: pictures
    // are only moved, turned about z, flipped and scaled, all affine in the
    // plane, so the fourth vertex completes the parallelogram of the first
    // three, and the texture varies along its edges.
    var m = GLImmediate.matrix[0], d = e.quad, k = sommets >> 2;
    var x0 = HEAPF32[k], y0 = HEAPF32[k + 1], x1 = HEAPF32[k + 4] - x0, y1 = HEAPF32[k + 5] - y0;
    var x2 = HEAPF32[k + 8] - x0, y2 = HEAPF32[k + 9] - y0;
    d[0] = m[0] * x0 + m[4] * y0 + m[12];
    d[1] = m[1] * x0 + m[5] * y0 + m[13];
    d[2] = m[0] * x1 + m[4] * y1;
    d[3] = m[1] * x1 + m[5] * y1;
    d[4] = m[0] * x2 + m[4] * y2;
    d[5] = m[1] * x2 + m[5] * y2;
    d[8] = HEAPF32[k + 2];
    d[9] = HEAPF32[k + 3];
    d[10] = HEAPF32[k + 6];
    d[11] = HEAPF32[k + 11];
    gl.uniform4fv(e.q, d);
    gl.drawArrays(gl.TRIANGLE_STRIP, 0, 4);
  },
});
